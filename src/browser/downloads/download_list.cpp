#include "download_list.h"

#include <QFileInfo>

namespace bidwarden {

Download::Download(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(path)
{
    m_sinceStart.start();
}

QString Download::fileName() const
{
    return QFileInfo(m_path).fileName();
}

bool Download::isRunning() const
{
    return m_progress.state == DownloadState::Running || m_progress.state == DownloadState::Paused;
}

std::optional<qint64> Download::secondsLeft() const
{
    if (m_progress.state != DownloadState::Running)
        return std::nullopt;
    return downloadSecondsLeft(m_progress.received, m_progress.total, m_sinceStart.elapsed());
}

void Download::setProgress(const Progress &progress)
{
    const bool wasRunning = isRunning();
    m_progress = progress;
    Q_EMIT changed();
    if (wasRunning && !isRunning())
        Q_EMIT finished();
}

void DownloadList::add(Download *download)
{
    download->setParent(this);
    m_downloads.prepend(download);
    connect(download, &Download::changed, this, &DownloadList::progressed);
    connect(download, &Download::finished, this, [this, download] { Q_EMIT finished(download); });
    Q_EMIT added(download);
    Q_EMIT progressed();
}

int DownloadList::runningCount() const
{
    int running = 0;
    for (const Download *download : m_downloads)
        running += download->isRunning() ? 1 : 0;
    return running;
}

void DownloadList::cancelRunning()
{
    const QList<Download *> all = m_downloads;
    for (Download *download : all) {
        if (download->isRunning())
            download->cancel();
    }
}

} // namespace bidwarden

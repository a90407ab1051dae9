#include "download_progress.h"

#include "download_list.h"

namespace bidwarden {

DownloadProgress::DownloadProgress(DownloadList *downloads, QWidget *parent)
    : QToolButton(parent)
    , m_downloads(downloads)
{
    setObjectName(QStringLiteral("downloadProgress"));
    setAccessibleName(tr("Downloads in progress"));
    setToolTip(tr("Show the downloads (Ctrl+J)"));
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(downloads, &DownloadList::progressed, this, &DownloadProgress::showProgress);
    showProgress();
}

void DownloadProgress::showProgress()
{
    const int running = m_downloads->runningCount();
    setVisible(running > 0);
    for (const Download *download : m_downloads->downloads()) {
        if (!download->isRunning())
            continue;
        const Download::Progress &progress = download->progress();
        QString text = progress.state == DownloadState::Paused
                ? download->fileName() + QStringLiteral(" \u2014 ") + downloadStateText(progress.state, QString())
                : downloadProgressText(download->fileName(), progress.received, progress.total,
                                       download->secondsLeft());
        if (running > 1)
            text += QLatin1Char(' ') + tr("(+%n more)", nullptr, running - 1);
        setText(text);
        return;
    }
    setText(QString());
}

} // namespace bidwarden

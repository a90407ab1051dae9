#include "engine_download.h"

#include "browser_logging.h"

#include <QDir>
#include <QFile>
#include <QWebEngineDownloadRequest>

namespace bidwarden {

namespace {

QString targetPath(const QWebEngineDownloadRequest *request)
{
    return QDir(request->downloadDirectory()).filePath(request->downloadFileName());
}

// The engine writes a download under this name until it has the whole file
// (Qt WebEngine 6.4 to 6.10), then renames it.
QString partialFilePath(const QString &path)
{
    return path + QStringLiteral(".download");
}

DownloadState stateOf(const QWebEngineDownloadRequest *request)
{
    switch (request->state()) {
    case QWebEngineDownloadRequest::DownloadCompleted:
        return DownloadState::Completed;
    case QWebEngineDownloadRequest::DownloadCancelled:
        return DownloadState::Cancelled;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        return DownloadState::Interrupted;
    default:
        return request->isPaused() ? DownloadState::Paused : DownloadState::Running;
    }
}

} // namespace

EngineDownload::EngineDownload(QWebEngineDownloadRequest *request, QObject *parent)
    : Download(targetPath(request), parent)
    , m_request(request)
{
    using Request = QWebEngineDownloadRequest;
    for (auto signal : { &Request::receivedBytesChanged, &Request::totalBytesChanged, &Request::isFinishedChanged,
                         &Request::isPausedChanged, &Request::interruptReasonChanged })
        connect(request, signal, this, &EngineDownload::report);
    connect(request, &Request::stateChanged, this, &EngineDownload::report);
    report();
}

void EngineDownload::report()
{
    if (!m_request)
        return;
    Progress progress;
    progress.received = m_request->receivedBytes();
    progress.total = m_request->totalBytes() > 0 ? m_request->totalBytes() : -1;
    progress.state = stateOf(m_request);
    if (progress.state == DownloadState::Interrupted)
        progress.interruptReason = m_request->interruptReasonString();
    setProgress(progress);
}

void EngineDownload::cancel()
{
    if (m_request && !m_request->isFinished())
        m_request->cancel();
    // The engine removes what it wrote in its own time, which does not come
    // when the program is leaving: the partial file goes now. The engine's
    // file thread may remove it in the same moment, so only a file still
    // there after the attempt is a failure.
    const QString partial = partialFilePath(path());
    if (!QFile::remove(partial) && QFile::exists(partial))
        qCWarning(lcBrowser) << "could not remove the partial download" << partial;
    report();
}

void EngineDownload::pause()
{
    if (m_request && !m_request->isFinished())
        m_request->pause();
}

void EngineDownload::resume()
{
    if (m_request && !m_request->isFinished())
        m_request->resume();
}

} // namespace bidwarden

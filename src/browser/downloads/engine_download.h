#pragma once

#include "download_list.h"

#include <QPointer>

QT_BEGIN_NAMESPACE
class QWebEngineDownloadRequest;
QT_END_NAMESPACE

namespace bidwarden {

// A download the engine runs, accepted already, followed for the list.
class EngineDownload : public Download
{
    Q_OBJECT

public:
    EngineDownload(QWebEngineDownloadRequest *request, QObject *parent = nullptr);

    void cancel() override;
    void pause() override;
    void resume() override;

private:
    void report();

    // The profile's, which may delete it.
    QPointer<QWebEngineDownloadRequest> m_request;
};

} // namespace bidwarden

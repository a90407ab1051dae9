#pragma once

#include "browser_pane.h"

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QPrinter;
class QWebEngineDownloadRequest;
class QWebEngineProfile;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class PanePage;

// A pane backed by the real browser engine. Several panes share one profile,
// so a login made in one pane holds for requests made in another.
class WebEnginePane : public BrowserPane
{
    Q_OBJECT

public:
    // Decides what becomes of a download this pane's page asked for.
    using DownloadHandler = std::function<void(QWebEngineDownloadRequest *)>;

    WebEnginePane(QWebEngineProfile *profile, DownloadHandler handleDownload, QWidget *parent = nullptr);
    ~WebEnginePane() override;

    void navigate(const QString &address) override;
    void navigatePost(const QUrl &url, const QByteArray &postData,
                      const QByteArray &headerLines) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;
    void print(QWidget *dialogParent) override;

    QString locationName() const override;
    QString locationUrl() const override;

    QWebEngineView *view() const { return m_view; }

private:
    void handleLoadFinished(bool ok);
    void handleDownloadRequested(QWebEngineDownloadRequest *download);

    QWebEngineView *m_view = nullptr;
    PanePage *m_page = nullptr;
    // Kept until the engine reports the end of an asynchronous print job.
    std::unique_ptr<QPrinter> m_printer;
    DownloadHandler m_handleDownload;
    int m_frameDocuments = 0;
};

} // namespace bidwarden

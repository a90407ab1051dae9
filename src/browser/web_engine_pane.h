#pragma once

#include "browser_pane.h"

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QLabel;
class QPrinter;
class QStackedLayout;
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
    bool showsFormAnswer() const override { return m_showsFormAnswer; }

    QWebEngineView *view() const { return m_view; }
    // The notice shown in place of the page once its renderer has ended.
    QLabel *renderProcessNotice() const { return m_notice; }

private:
    void reportMainFrameCommit(bool addressChanged);
    void reportFrameCommit();
    void handleLoadFinished(bool ok);
    void handleRenderProcessEnded(int status, int exitCode);
    void handleDownloadRequested(QWebEngineDownloadRequest *download);

    QWebEngineView *m_view = nullptr;
    PanePage *m_page = nullptr;
    QLabel *m_notice = nullptr;
    QStackedLayout *m_layout = nullptr;
    // Kept until the engine reports the end of an asynchronous print job.
    std::unique_ptr<QPrinter> m_printer;
    DownloadHandler m_handleDownload;
    // Between loadStarted and loadFinished.
    bool m_loading = false;
    // The current main-frame navigation has been reported as complete.
    bool m_navigationReported = false;
    bool m_requestWasPost = false;
    bool m_showsFormAnswer = false;
    int m_frameDocuments = 0;
};

} // namespace bidwarden

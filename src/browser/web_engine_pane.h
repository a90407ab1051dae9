#pragma once

#include "browser_pane.h"

#include <memory>

QT_BEGIN_NAMESPACE
class QLabel;
class QPrinter;
class QStackedLayout;
class QWebEngineDownloadRequest;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class FindBar;
class PanePage;
class PermissionBar;
class WebEngineBrowser;

// A pane backed by the real browser engine. Several panes share one profile,
// so a login made in one pane holds for requests made in another.
class WebEnginePane : public BrowserPane
{
    Q_OBJECT

public:
    // On the browser's profile; the browser offers the pane's downloads and
    // answers its page's requests.
    WebEnginePane(WebEngineBrowser *browser, QWidget *parent = nullptr);
    ~WebEnginePane() override;

    void navigate(const QString &address) override;
    void navigatePost(const QUrl &url, const QByteArray &postData,
                      const QByteArray &headerLines) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;
    void print(QWidget *dialogParent) override;
    void requestClose() override;

    QString locationName() const override;
    QString locationUrl() const override;
    bool showsFormAnswer() const override { return m_showsFormAnswer; }
    bool isLoading() const override { return m_loading; }
    qreal zoomFactor() const override;
    void setZoomFactor(qreal factor) override;
    void showFindBar() override;
    void findAgain(bool backward) override;
    void offerSnipeLink() override;
    bool isAudible() const override;
    bool isAudioMuted() const override;
    void setAudioMuted(bool muted) override;

    QWebEngineView *view() const { return m_view; }
    // The notice shown in place of the page once its renderer has ended.
    QLabel *renderProcessNotice() const { return m_notice; }
    PermissionBar *permissionBar() const { return m_permissions; }
    FindBar *findBar() const { return m_findBar; }

private:
    void reportMainFrameCommit(bool addressChanged);
    void reportFrameCommit();
    // unanswered: the load failed without any answer from the server.
    void handleLoadFinished(bool ok, bool unanswered);
    void handleRenderProcessEnded(int status, int exitCode);
    void handleDownloadRequested(QWebEngineDownloadRequest *download);

    QWebEngineView *m_view = nullptr;
    PanePage *m_page = nullptr;
    QLabel *m_notice = nullptr;
    PermissionBar *m_permissions = nullptr;
    FindBar *m_findBar = nullptr;
    QStackedLayout *m_layout = nullptr;
    // Kept until the engine reports the end of an asynchronous print job,
    // which paints on it from a thread of its own.
    std::unique_ptr<QPrinter> m_printer;
    bool m_printing = false;
    // The program closes once the print job is done.
    bool m_closeAfterPrinting = false;
    WebEngineBrowser *m_browser = nullptr;
    // Between loadStarted and loadFinished.
    bool m_loading = false;
    // requestClose() waits for the page's answer.
    bool m_closeRequested = false;
    // The current main-frame navigation has been reported as complete.
    bool m_navigationReported = false;
    bool m_requestWasPost = false;
    bool m_showsFormAnswer = false;
    int m_frameDocuments = 0;
};

} // namespace bidwarden

#pragma once

#include "browser_pane.h"
#include "page_view.h"

QT_BEGIN_NAMESPACE
class QLabel;
class QWebEngineView;
QT_END_NAMESPACE

namespace bidwarden {

class BrowserProfile;
class FindBar;
class LoadReport;
class PermissionBar;

// A pane backed by the real browser engine: what the main window asks of a
// pane, done by its page view, and the page view's engine events handed to a
// LoadReport, which gives the pane's page events. Several panes share one
// profile, so a login made in one pane holds for requests made in another.
class WebEnginePane : public BrowserPane
{
    Q_OBJECT

public:
    // On the profile, which must outlive the pane; the page's new windows
    // come from openWindow.
    WebEnginePane(BrowserProfile *profile, PageWindowFactory openWindow, QWidget *parent = nullptr);
    ~WebEnginePane() override;

    void navigate(const QString &address) override;
    void navigatePost(const QUrl &url, const QByteArray &postData,
                      const QByteArray &headerLines) override;
    void goBack() override;
    void goForward() override;
    void stop() override;
    void refresh() override;
    void print(QWidget *dialogParent) override;
    void savePageAs() override;
    void requestClose() override;

    QString locationName() const override;
    QString locationUrl() const override;
    bool showsFormAnswer() const override;
    bool isLoading() const override;
    void zoomIn() override;
    void zoomOut() override;
    void resetZoom() override;
    void showFindBar() override;
    void findAgain(bool backward) override;
    void offerSnipeLink() override;
    bool isAudible() const override;
    bool isAudioMuted() const override;
    void setAudioMuted(bool muted) override;

    PageView *pageView() const { return m_pageView; }
    QWebEngineView *view() const { return m_pageView->view(); }
    QLabel *renderProcessNotice() const { return m_pageView->renderProcessNotice(); }
    PermissionBar *permissionBar() const { return m_pageView->permissionBar(); }
    FindBar *findBar() const { return m_pageView->findBar(); }

private:
    void reportLoads();
    void forwardPageEvents();

    PageView *m_pageView = nullptr;
    LoadReport *m_report = nullptr;
};

} // namespace bidwarden

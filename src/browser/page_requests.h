#pragma once

#include "full_screen_window.h"
#include "page_questions.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWebEngineView>

#include <functional>
#include <optional>

QT_BEGIN_NAMESPACE
class QWebEnginePage;
QT_END_NAMESPACE

namespace bidwarden {

class PermissionBar;

// A browser's answers to what a page asks of it: a user name and password
// for a site or proxy (asked in a dialog, never sent unless typed), the use
// of the location, notifications, camera and the like (asked in the bar above
// the page, remembered per host while the program runs), and full screen
// (granted, until Esc or the page ends it). Lives as long as the page.
class PageRequests : public QObject
{
    Q_OBJECT

public:
    PageRequests(QWebEnginePage *page, QWebEngineView *view, PermissionBar *bar, PermissionAnswers *answers);
    ~PageRequests() override;

    // The window showing the page full screen, while there is one.
    FullScreenWindow *fullScreenWindow() const { return m_fullScreen; }

private:
    void connectPermissions();
    // Answers a permission request: from what the user said for this host
    // before, or by asking in the bar.
    void decide(const QString &host, std::optional<PagePermission> permission,
                const std::function<void(bool allowed)> &answer);

    QWebEnginePage *m_page;
    QPointer<QWebEngineView> m_view;
    QPointer<PermissionBar> m_bar;
    PermissionAnswers *m_answers;
    // A window of the page's window, which may delete it first.
    QPointer<FullScreenWindow> m_fullScreen;
};

} // namespace bidwarden

#pragma once

#include <QObject>
#include <QUrl>

#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QWebEngineNotification;
class QWebEngineProfile;
QT_END_NAMESPACE

namespace bidwarden {

class NotificationService;

// Shows the notifications that the profile's pages were allowed to show
// (PagePermissions asks) through the desktop's notification service: a
// page's notification with the tag of one still shown replaces it, a click
// on one tells its page and brings the window showing the page forward, and
// a page's close() takes it back. Lives as long as the profile's pages.
class DesktopNotifications : public QObject
{
    Q_OBJECT

public:
    DesktopNotifications(QWebEngineProfile *profile, std::unique_ptr<NotificationService> service,
                         QObject *parent = nullptr);
    ~DesktopNotifications() override;

    // From the next notification on; those shown before are forgotten.
    void setService(std::unique_ptr<NotificationService> service);

Q_SIGNALS:
    // A notification was clicked whose page no window shows any longer.
    void clickedWithoutPage(const QUrl &origin);

private:
    struct Shown;

    void present(std::unique_ptr<QWebEngineNotification> notification);
    void connectService();
    void whenShown(QWebEngineNotification *notification, uint id);
    void withdraw(QWebEngineNotification *notification);
    void actionInvoked(uint id, const QString &action);
    void closedByTheDesktop(uint id);
    std::vector<std::unique_ptr<Shown>>::iterator find(uint id);
    std::vector<std::unique_ptr<Shown>>::iterator find(const QWebEngineNotification *notification);
    std::unique_ptr<QWebEngineNotification> take(std::vector<std::unique_ptr<Shown>>::iterator at);

    QWebEngineProfile *m_profile;
    std::vector<std::unique_ptr<Shown>> m_shown;
    // After the notifications: it goes first, and with it its calls still
    // under way.
    std::unique_ptr<NotificationService> m_service;
};

} // namespace bidwarden

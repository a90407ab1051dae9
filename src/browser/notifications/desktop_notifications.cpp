#include "desktop_notifications.h"

#include "desktop_notice.h"
#include "notification_service.h"
#include "window_forward.h"

#include <QApplication>
#include <QPointer>
#include <QWebEngineNotification>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <algorithm>

namespace bidwarden {

struct DesktopNotifications::Shown
{
    std::unique_ptr<QWebEngineNotification> notification;
    uint id = 0; // 0 while the service has not answered
};

namespace {

// The top-level window that shows a page of that origin, if one does.
QWidget *windowShowing(const QUrl &origin)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        for (const QWebEngineView *view : window->findChildren<QWebEngineView *>()) {
            if (view->page() && sameOrigin(view->page()->url(), origin))
                return window;
        }
    }
    return nullptr;
}

} // namespace

DesktopNotifications::DesktopNotifications(QWebEngineProfile *profile, std::unique_ptr<NotificationService> service,
                                           QObject *parent)
    : QObject(parent)
    , m_profile(profile)
    , m_service(std::move(service))
{
    connectService();
    m_profile->setNotificationPresenter(
            [this](std::unique_ptr<QWebEngineNotification> notification) { present(std::move(notification)); });
}

DesktopNotifications::~DesktopNotifications()
{
    m_profile->setNotificationPresenter(nullptr);
}

void DesktopNotifications::setService(std::unique_ptr<NotificationService> service)
{
    m_shown.clear();
    m_service = std::move(service);
    connectService();
}

void DesktopNotifications::connectService()
{
    connect(m_service.get(), &NotificationService::actionInvoked, this, &DesktopNotifications::actionInvoked);
    connect(m_service.get(), &NotificationService::closed, this, &DesktopNotifications::closedByTheDesktop);
}

void DesktopNotifications::present(std::unique_ptr<QWebEngineNotification> notification)
{
    // One with the same tag from the same origin is shown in its place.
    uint replaces = 0;
    for (auto at = m_shown.begin(); at != m_shown.end(); ++at) {
        if ((*at)->notification->matches(notification.get())) {
            replaces = (*at)->id;
            take(at).release()->deleteLater();
            break;
        }
    }
    QWebEngineNotification *raw = notification.get();
    connect(raw, &QWebEngineNotification::closed, this, [this, raw] { withdraw(raw); });
    auto shown = std::make_unique<Shown>();
    shown->notification = std::move(notification);
    m_shown.push_back(std::move(shown));
    const NotifyCall call = notifyCallFor(raw->title(), raw->message(), replaces, m_service->readsMarkup());
    m_service->notify(call, [this, raw](uint id) { whenShown(raw, id); });
}

void DesktopNotifications::whenShown(QWebEngineNotification *notification, uint id)
{
    const auto at = find(notification);
    if (at == m_shown.end()) {
        // Taken back by its page before the service answered.
        if (id)
            m_service->close(id);
        return;
    }
    if (!id) {
        take(at).release()->deleteLater();
        return;
    }
    (*at)->id = id;
    notification->show();
}

void DesktopNotifications::withdraw(QWebEngineNotification *notification)
{
    const auto at = find(notification);
    if (at == m_shown.end())
        return;
    const uint id = (*at)->id;
    // Not deleted in its own signal.
    take(at).release()->deleteLater();
    if (id)
        m_service->close(id);
}

void DesktopNotifications::actionInvoked(uint id, const QString &action)
{
    const auto at = find(id);
    if (at == m_shown.end() || action != QLatin1String(defaultAction))
        return;
    const QWebEngineNotification *notification = (*at)->notification.get();
    notification->click();
    if (QWidget *window = windowShowing(notification->origin()))
        bringForward(window);
    else
        Q_EMIT clickedWithoutPage(notification->origin());
}

void DesktopNotifications::closedByTheDesktop(uint id)
{
    const auto at = find(id);
    if (at == m_shown.end())
        return;
    std::unique_ptr<QWebEngineNotification> notification = take(at);
    // The page hears that it is gone.
    notification->close();
    notification.release()->deleteLater();
}

auto DesktopNotifications::find(uint id) -> std::vector<std::unique_ptr<Shown>>::iterator
{
    return std::find_if(m_shown.begin(), m_shown.end(), [id](const auto &shown) { return id && shown->id == id; });
}

auto DesktopNotifications::find(const QWebEngineNotification *notification)
        -> std::vector<std::unique_ptr<Shown>>::iterator
{
    return std::find_if(m_shown.begin(), m_shown.end(),
                        [notification](const auto &shown) { return shown->notification.get() == notification; });
}

std::unique_ptr<QWebEngineNotification> DesktopNotifications::take(std::vector<std::unique_ptr<Shown>>::iterator at)
{
    std::unique_ptr<QWebEngineNotification> notification = std::move((*at)->notification);
    disconnect(notification.get(), nullptr, this, nullptr);
    m_shown.erase(at);
    return notification;
}

} // namespace bidwarden

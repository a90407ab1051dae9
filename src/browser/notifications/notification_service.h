#pragma once

#include "desktop_notice.h"

#include <QDBusConnection>
#include <QObject>
#include <QSystemTrayIcon>

#include <functional>
#include <memory>

namespace bidwarden {

// Where notifications go on the desktop. A notification, once shown, has
// the service's id; the service says when the user chose one of its
// actions, or when it is gone (closed by the user, expired).
class NotificationService : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Asks for it to be shown; `shown` is called once with its id, or 0
    // where it could not be.
    virtual void notify(const NotifyCall &call, std::function<void(uint id)> shown) = 0;
    // Takes a shown notification back.
    virtual void close(uint id) = 0;
    // Whether the service reads markup in a notification's body.
    virtual bool readsMarkup() const = 0;

Q_SIGNALS:
    void actionInvoked(uint id, const QString &action);
    void closed(uint id);
};

// The desktop's notification service over D-Bus (org.freedesktop.Notifications).
// Every call is asynchronous: a slow service never holds the program up.
class DBusNotificationService : public NotificationService
{
    Q_OBJECT

public:
    explicit DBusNotificationService(const QDBusConnection &bus, QObject *parent = nullptr);

    // Whether the bus has the service, running or to be started.
    static bool isOffered(const QDBusConnection &bus);

    void notify(const NotifyCall &call, std::function<void(uint id)> shown) override;
    void close(uint id) override;
    bool readsMarkup() const override { return m_readsMarkup; }

private Q_SLOTS:
    void onActionInvoked(uint id, const QString &action);
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    // Until the service has said, its body is taken to read markup: the
    // page's text is escaped rather than read as markup.
    bool m_readsMarkup = true;
};

// Where the desktop has no such service: the message of an icon in the
// system tray. Its click invokes the default action of the latest one.
class TrayNotificationService : public NotificationService
{
    Q_OBJECT

public:
    explicit TrayNotificationService(QObject *parent = nullptr);

    void notify(const NotifyCall &call, std::function<void(uint id)> shown) override;
    void close(uint id) override;
    bool readsMarkup() const override { return false; }

private:
    QSystemTrayIcon m_tray;
    uint m_latest = 0;
    uint m_lastId = 0;
};

// The desktop's service on the session bus where there is one, else the
// system tray.
std::unique_ptr<NotificationService> desktopNotificationService();

} // namespace bidwarden

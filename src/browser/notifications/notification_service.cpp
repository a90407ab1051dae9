#include "notification_service.h"

#include "browser_logging.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusReply>

namespace bidwarden {

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString servicePath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

DBusNotificationService::DBusNotificationService(const QDBusConnection &bus, QObject *parent)
    : NotificationService(parent)
    , m_bus(bus)
{
    m_bus.connect(serviceName, servicePath, serviceName, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(serviceName, servicePath, serviceName, QStringLiteral("NotificationClosed"), this,
                  SLOT(onNotificationClosed(uint, uint)));
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(capabilitiesMessage()), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        if (reply.isError()) {
            qCWarning(lcBrowser) << "the desktop's notification service did not tell its capabilities:"
                                 << reply.error().message();
            return;
        }
        m_readsMarkup = reply.value().contains(QLatin1String("body-markup"));
    });
}

bool DBusNotificationService::isOffered(const QDBusConnection &bus)
{
    if (!bus.isConnected() || !bus.interface())
        return false;
    if (bus.interface()->isServiceRegistered(serviceName))
        return true;
    const QDBusReply<QStringList> activatable = bus.interface()->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(serviceName);
}

void DBusNotificationService::notify(const NotifyCall &call, std::function<void(uint id)> shown)
{
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notifyMessage(call)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, shown = std::move(shown)] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        if (reply.isError()) {
            qCWarning(lcBrowser) << "the desktop's notification service did not show a notification:"
                                 << reply.error().message();
            shown(0);
            return;
        }
        shown(reply.value());
    });
}

void DBusNotificationService::close(uint id)
{
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(closeNotificationMessage(id)), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, id] {
        watcher->deleteLater();
        const QDBusPendingReply<> reply = *watcher;
        if (reply.isError())
            qCWarning(lcBrowser) << "the desktop's notification service did not take back notification" << id
                                 << reply.error().message();
    });
}

void DBusNotificationService::onActionInvoked(uint id, const QString &action)
{
    Q_EMIT actionInvoked(id, action);
}

void DBusNotificationService::onNotificationClosed(uint id, uint reason)
{
    Q_UNUSED(reason);
    Q_EMIT closed(id);
}

TrayNotificationService::TrayNotificationService(QObject *parent)
    : NotificationService(parent)
    , m_tray(QApplication::windowIcon())
{
    m_tray.setToolTip(QApplication::applicationName());
    connect(&m_tray, &QSystemTrayIcon::messageClicked, this, [this] {
        if (m_latest)
            Q_EMIT actionInvoked(m_latest, QLatin1String(defaultAction));
    });
}

void TrayNotificationService::notify(const NotifyCall &call, std::function<void(uint id)> shown)
{
    if (!QSystemTrayIcon::isSystemTrayAvailable() || !QSystemTrayIcon::supportsMessages()) {
        qCInfo(lcBrowser) << "a page's notification was not shown: the desktop has no notification service"
                             " and no system tray";
        shown(0);
        return;
    }
    m_tray.show();
    m_tray.showMessage(call.summary, call.body, QApplication::windowIcon());
    // A message replaces the one before it.
    if (m_latest)
        Q_EMIT closed(m_latest);
    m_latest = ++m_lastId;
    shown(m_latest);
}

void TrayNotificationService::close(uint id)
{
    if (id != m_latest)
        return;
    // A tray message cannot be taken back but with its icon.
    m_tray.hide();
    m_latest = 0;
}

std::unique_ptr<NotificationService> desktopNotificationService()
{
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (DBusNotificationService::isOffered(bus))
        return std::make_unique<DBusNotificationService>(bus);
    return std::make_unique<TrayNotificationService>();
}

} // namespace bidwarden

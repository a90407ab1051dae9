#include "desktop_notice.h"

#include <QCoreApplication>

namespace bidwarden {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");

QDBusMessage call(const QString &method)
{
    return QDBusMessage::createMethodCall(service, path, service, method);
}

} // namespace

NotifyCall notifyCallFor(const QString &title, const QString &text, uint replacesId, bool bodyMarkup)
{
    NotifyCall call;
    call.appName = QStringLiteral("Bidwarden");
    call.replacesId = replacesId;
    // The icon the menu entry names, installed with the program.
    call.icon = QStringLiteral("bidwarden");
    call.summary = title;
    call.body = bodyMarkup ? text.toHtmlEscaped() : text;
    call.actions = { QLatin1String(defaultAction), QCoreApplication::translate("DesktopNotifications", "Show") };
    call.hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("bidwarden"));
    return call;
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    return a.isValid() && b.isValid() && a.scheme() == b.scheme() && a.host() == b.host()
           && a.port(-1) == b.port(-1);
}

QDBusMessage notifyMessage(const NotifyCall &notify)
{
    QDBusMessage message = call(QStringLiteral("Notify"));
    message << notify.appName << notify.replacesId << notify.icon << notify.summary << notify.body << notify.actions
            << notify.hints << notify.timeoutMs;
    return message;
}

QDBusMessage closeNotificationMessage(uint id)
{
    QDBusMessage message = call(QStringLiteral("CloseNotification"));
    message << id;
    return message;
}

QDBusMessage capabilitiesMessage()
{
    return call(QStringLiteral("GetCapabilities"));
}

} // namespace bidwarden

#pragma once

#include <QDBusMessage>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

namespace bidwarden {

// A page's notification as the desktop's notification service is asked to
// show it (org.freedesktop.Notifications.Notify, whose arguments these are).
struct NotifyCall
{
    QString appName;
    uint replacesId = 0;
    QString icon;
    QString summary;
    QString body;
    QStringList actions; // key, label, key, label...
    QVariantMap hints;
    int timeoutMs = -1;  // the service's own choice
};

// The action a click on the notification itself invokes.
inline constexpr char defaultAction[] = "default";

// What the service is asked for a page's notification: under the program's
// name and icon, the page's title and text, replacing the notification of
// that id (0: none). The page's text is the page's own: where the service
// reads markup in the body, it is escaped so the page cannot add any.
NotifyCall notifyCallFor(const QString &title, const QString &text, uint replacesId, bool bodyMarkup);

// Whether the two addresses are of one origin: scheme, host and port.
bool sameOrigin(const QUrl &a, const QUrl &b);

// The D-Bus calls to the service.
QDBusMessage notifyMessage(const NotifyCall &call);
QDBusMessage closeNotificationMessage(uint id);
QDBusMessage capabilitiesMessage();

} // namespace bidwarden

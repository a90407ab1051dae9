#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariantMap>

namespace bidwarden::test {

// A session bus of the test's own (dbus-daemon), apart from the desktop's.
class PrivateBus
{
public:
    ~PrivateBus();
    // False where dbus-daemon is missing or did not start.
    bool start();
    QString address() const { return m_address; }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
};

// Stands in for the desktop's notification service on a bus: logs what it
// is asked and sends its signals when told to.
class FakeNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notified
    {
        QString appName;
        uint replacesId = 0;
        QString icon;
        QString summary;
        QString body;
        QStringList actions;
        uint id = 0;
    };

    // Serves on the bus at that address, under the service's name.
    bool serve(const QString &address);
    ~FakeNotificationServer() override;

    QList<Notified> notified() const { return m_notified; }
    QList<uint> closeRequests() const { return m_closeRequests; }
    // The user clicks the notification.
    void click(uint id);

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &icon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeoutMs);
    void CloseNotification(uint id);
    QStringList GetCapabilities() const;

private:
    void sendSignal(const QString &name, const QVariantList &arguments);

    QString m_connectionName;
    QList<Notified> m_notified;
    QList<uint> m_closeRequests;
    uint m_lastId = 0;
};

} // namespace bidwarden::test

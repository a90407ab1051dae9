#include "fake_notification_server.h"

#include <QDBusMessage>
#include <QFile>
#include <QStandardPaths>

namespace bidwarden::test {

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString servicePath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

PrivateBus::~PrivateBus()
{
    if (m_daemon.state() == QProcess::NotRunning)
        return;
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(10000))
        m_daemon.kill();
    m_daemon.waitForFinished(10000);
}

bool PrivateBus::start()
{
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty())
        return false;
    // A bus of its own configuration, so it needs nothing of the system's:
    // anyone connected may own a name and call anyone.
    QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
    if (!m_dir.isValid() || !config.open(QIODevice::WriteOnly))
        return false;
    config.write("<busconfig><type>session</type><listen>unix:dir=" + m_dir.path().toUtf8()
                 + "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow user=\"*\"/>"
                   "<allow send_destination=\"*\"/><allow receive_sender=\"*\"/><allow own=\"*\"/>"
                   "</policy></busconfig>\n");
    config.close();
    m_daemon.start(daemon, { QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                             QStringLiteral("--print-address") });
    if (!m_daemon.waitForStarted(10000))
        return false;
    while (!m_daemon.canReadLine()) {
        if (!m_daemon.waitForReadyRead(10000))
            return false;
    }
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    return !m_address.isEmpty();
}

bool FakeNotificationServer::serve(const QString &address)
{
    m_connectionName = QStringLiteral("fake-notification-server");
    QDBusConnection bus = QDBusConnection::connectToBus(address, m_connectionName);
    return bus.isConnected() && bus.registerObject(servicePath, this, QDBusConnection::ExportAllSlots)
           && bus.registerService(serviceName);
}

FakeNotificationServer::~FakeNotificationServer()
{
    if (!m_connectionName.isEmpty())
        QDBusConnection::disconnectFromBus(m_connectionName);
}

void FakeNotificationServer::click(uint id)
{
    sendSignal(QStringLiteral("ActionInvoked"), { id, QStringLiteral("default") });
}

uint FakeNotificationServer::Notify(const QString &appName, uint replacesId, const QString &icon,
                                    const QString &summary, const QString &body, const QStringList &actions,
                                    const QVariantMap &hints, int timeoutMs)
{
    Q_UNUSED(hints);
    Q_UNUSED(timeoutMs);
    const uint id = replacesId ? replacesId : ++m_lastId;
    m_notified << Notified{ appName, replacesId, icon, summary, body, actions, id };
    return id;
}

void FakeNotificationServer::CloseNotification(uint id)
{
    m_closeRequests << id;
    // 3: closed by a call to CloseNotification.
    sendSignal(QStringLiteral("NotificationClosed"), { id, 3u });
}

QStringList FakeNotificationServer::GetCapabilities() const
{
    return { QStringLiteral("actions"), QStringLiteral("body") };
}

void FakeNotificationServer::sendSignal(const QString &name, const QVariantList &arguments)
{
    QDBusMessage message = QDBusMessage::createSignal(servicePath, serviceName, name);
    message.setArguments(arguments);
    QDBusConnection(m_connectionName).send(message);
}

} // namespace bidwarden::test

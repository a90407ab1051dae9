#include "page_accessibility.h"

#include "browser_logging.h"
#include "engine_version.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QVariantMap>

namespace bidwarden {

namespace {

const char accessibilityVariable[] = "QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY";

// The program waits for the accessibility service only this long as it
// starts: a desktop without one answers at once or not at all.
constexpr int busAnswerTimeoutMs = 500;

} // namespace

bool switchesOnPageAccessibility(bool engineGivesPagesByDefault, bool assistiveTechnologyOn,
                                 bool userSetTheVariable)
{
    return !engineGivesPagesByDefault && assistiveTechnologyOn && !userSetTheVariable;
}

bool desktopUsesAssistiveTechnology(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("GetAll"));
    ask << QStringLiteral("org.a11y.Status");
    // A desktop that has not started its accessibility service does not use it.
    ask.setAutoStartService(false);
    // Blocks without an event loop: nothing else runs before the first window.
    const QDBusMessage answer = bus.call(ask, QDBus::Block, busAnswerTimeoutMs);
    if (answer.type() != QDBusMessage::ReplyMessage || answer.arguments().isEmpty()) {
        qCDebug(lcBrowser) << "no answer from the accessibility bus:" << answer.errorMessage();
        return false;
    }
    const QVariantMap status = qdbus_cast<QVariantMap>(answer.arguments().constFirst());
    const auto isOn = [&status](const char *name) {
        const QVariant value = status.value(QLatin1String(name));
        return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant().toBool() : value.toBool();
    };
    return isOn("IsEnabled") || isOn("ScreenReaderEnabled");
}

void givePagesToAssistiveTechnologyWhenInUse()
{
    const bool userSet = qEnvironmentVariableIsSet(accessibilityVariable);
    constexpr bool byDefault = BIDWARDEN_ENGINE_GIVES_PAGES_TO_ASSISTIVE_TECHNOLOGY();
    // The bus is asked only where its answer can change anything. A session
    // bus address of "disabled:", or none, makes no connection, quietly.
    if (userSet || byDefault)
        return;
    const bool inUse = desktopUsesAssistiveTechnology(QDBusConnection::sessionBus());
    if (switchesOnPageAccessibility(byDefault, inUse, userSet)) {
        qCInfo(lcBrowser) << "assistive technology is in use: pages are given to it";
        qputenv(accessibilityVariable, "1");
    }
}

} // namespace bidwarden

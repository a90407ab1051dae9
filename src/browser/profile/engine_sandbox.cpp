#include "engine_sandbox.h"

#include "browser_logging.h"

#include <QCoreApplication>
#include <QProcessEnvironment>

namespace bidwarden {

QString sandboxSwitchedOffBy(const QProcessEnvironment &environment, const QStringList &arguments)
{
    const QString variable = QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX");
    const QString flags = QStringLiteral("QTWEBENGINE_CHROMIUM_FLAGS");
    const QString noSandbox = QStringLiteral("--no-sandbox");
    if (environment.contains(variable))
        return variable;
    if (environment.value(flags).split(QLatin1Char(' '), Qt::SkipEmptyParts).contains(noSandbox))
        return noSandbox + QStringLiteral(" in ") + flags;
    if (arguments.mid(1).contains(noSandbox))
        return noSandbox;
    return QString();
}

void warnWhenSandboxIsOff()
{
    const QString by = sandboxSwitchedOffBy(QProcessEnvironment::systemEnvironment(), QCoreApplication::arguments());
    if (!by.isEmpty())
        qCWarning(lcBrowser).noquote() << "the browser engine's sandbox is off (" + by
                        + "): a page that breaks into the engine reaches everything the user can";
}

} // namespace bidwarden

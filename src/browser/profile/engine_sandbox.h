#pragma once

#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
class QProcessEnvironment;
QT_END_NAMESPACE

namespace bidwarden {

// What switched the engine's sandbox off, named as the user would set it
// again ("QTWEBENGINE_DISABLE_SANDBOX", "--no-sandbox in
// QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox"), or empty while it is on.
// The engine reads the variable as set whatever its value, and takes
// Chromium's switches from the variable and from the program's arguments.
QString sandboxSwitchedOffBy(const QProcessEnvironment &environment, const QStringList &arguments);

// Logs a warning, once, where the sandbox of this process's engine is off.
void warnWhenSandboxIsOff();

} // namespace bidwarden

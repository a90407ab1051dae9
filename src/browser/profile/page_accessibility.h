#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QDBusConnection;
QT_END_NAMESPACE

namespace bidwarden {

// Whether pages' content reaches a screen reader. Qt WebEngine 6.4 gives it
// to assistive technology only where QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY
// is set as the engine starts, and doing so costs speed on every page; from
// 6.8 it does by default. So the program sets the variable on an engine
// that needs it when the desktop says assistive technology is in use, and
// never where the user set it (to any value) themselves.
bool switchesOnPageAccessibility(bool engineGivesPagesByDefault, bool assistiveTechnologyOn,
                                 bool userSetTheVariable);

// What the desktop's accessibility service says on the bus (org.a11y.Status:
// IsEnabled or ScreenReaderEnabled); off without a bus, without the service,
// or without an answer in a moment. Starts neither the bus nor the service.
bool desktopUsesAssistiveTechnology(const QDBusConnection &bus);

// Sets QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY where the rule above says so,
// for this process's engine; before the engine starts.
void givePagesToAssistiveTechnologyWhenInUse();

} // namespace bidwarden

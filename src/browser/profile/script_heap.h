#pragma once

#include <QString>
#include <QStringList>

namespace bidwarden {

// The switch that starts the script engine of every renderer with a small
// heap, from which it grows by its own measure, as a browser's does.
inline constexpr char scriptHeapSwitch[] = "--js-flags=--initial-heap-size=32";

// The engine's switches (QTWEBENGINE_CHROMIUM_FLAGS) with the script heap's
// switch added, or as they are where the user chose the script engine's
// switches already, in them or among the program's arguments: the engine
// keeps only one --js-flags.
QString withScriptHeapSwitch(const QString &flags, const QStringList &arguments);

// Adds it to this process's environment, once, on the engines that need it;
// to be called before the engine starts, and after chooseRenderer(), which
// takes any engine switches for the user's.
void setScriptHeapSwitch();

} // namespace bidwarden

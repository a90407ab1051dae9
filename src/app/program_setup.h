#pragma once

namespace bidwarden {

// What every run sets before its first window and before the engine starts:
// the program's name, the icon that every one of its windows shows, and
// where the engine finds the spelling dictionaries, and the switches the
// engine needs to keep a long session's memory level. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

#pragma once

namespace bidwarden {

// What every run sets before its first window and before the engine starts:
// the program's name, the icon that every one of its windows shows, and
// where the engine finds the spelling dictionaries. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

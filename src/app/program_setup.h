#pragma once

namespace bidwarden {

// What every run sets before its first window and before the engine starts:
// the program's name, the icon that every one of its windows shows, where
// the engine finds the spelling dictionaries, and whether it gives pages to a
// screen reader. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

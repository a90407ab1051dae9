#pragma once

namespace bidwarden {

// What every run sets before its first window: the program's name and the
// icon that every one of its windows shows. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

#pragma once

#include <QIcon>

namespace bidwarden {

// Makes the pictures compiled into the program available (":/icons/...");
// once is enough, more does no harm.
void registerProgramPictures();

// The program's own picture, in the sizes desktops ask for.
QIcon programIcon();

// What every run sets before its first window: the program's name and the
// icon that every one of its windows shows. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

#pragma once

namespace bidwarden {

// Makes the pictures compiled into the program available (":/icons/...");
// once is enough, more does no harm.
void registerProgramPictures();

// What every run sets before its first window: the program's name and the
// icon that every one of its windows shows. Needs the QApplication.
void setUpApplication();

} // namespace bidwarden

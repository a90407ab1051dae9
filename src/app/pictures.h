#pragma once

#include <QIcon>
#include <QPixmap>

namespace bidwarden {

// Makes the pictures compiled into the program available (":/icons/...");
// once is enough, more does no harm.
void registerProgramPictures();

// A picture compiled into the program (":/icons/<fileName>", a PNG).
QPixmap bundledPicture(const QString &fileName);

// The desktop theme's icon of that name where the theme has one, the bundled
// picture otherwise ("<bundled>.png", and "<bundled>@2x.png" for
// high-density screens).
QIcon toolbarIcon(const char *themeName, const char *bundled);

// The program's own picture, in the sizes desktops ask for.
QIcon programIcon();

} // namespace bidwarden

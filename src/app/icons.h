#pragma once

#include <QIcon>
#include <QPixmap>

namespace bidwarden {

// Makes the pictures compiled into the program available (":/icons/...");
// once is enough, more does no harm.
void registerProgramIcons();

// A picture compiled into the program (":/icons/<fileName>", a PNG).
QPixmap bundledPicture(const QString &fileName);

// A bundled picture as an icon: "<name>.png", and "<name>@2x.png" for
// high-density screens. The toolbars always show the program's own
// pictures: many desktop themes offer only pale symbolic icons for these
// names, barely visible beside the captions on a light theme, and the
// pictures keep the toolbar's look the same on every desktop.
QIcon bundledIcon(const char *name);

// The program's own picture, in the sizes desktops ask for.
QIcon programIcon();

} // namespace bidwarden

#pragma once

#include <QKeySequence>
#include <QList>

namespace bidwarden {

// Commands every window holding a page answers with a browser's keys.
enum class BrowserKey { ZoomIn, ZoomOut, ZoomReset, Find, FindNext, FindPrevious };

// The keys of a command, the first one the key menus show.
QList<QKeySequence> keysFor(BrowserKey command);

} // namespace bidwarden

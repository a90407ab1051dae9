#pragma once

#include <QtGlobal>

namespace bidwarden {

// The zoom levels a page steps through with Ctrl+Plus and Ctrl+Minus, from a
// quarter to five times its size, as browsers offer them. From a level
// between two steps, the next step in that direction; at either end, the end.
qreal zoomedIn(qreal factor);
qreal zoomedOut(qreal factor);

} // namespace bidwarden

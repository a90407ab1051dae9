#pragma once

#include <QtGlobal>

namespace bidwarden {

// The windows' layouts are kept in twips: 1440 to the inch, 15 to a pixel at
// 96 DPI, so they scale with the screen's logical resolution.
int twipsToPixels(int twips, qreal logicalDpi);
int pixelsToTwips(int pixels, qreal logicalDpi);

// Room left between a label grown to its text and the field after it.
constexpr int labelGapPixels = 4;

} // namespace bidwarden

#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace bidwarden {

// The windows' layouts are kept in twips: 1440 to the inch, 15 to a pixel at
// 96 DPI, so they scale with the screen's logical resolution.
int twipsToPixels(int twips, qreal logicalDpi);
int pixelsToTwips(int pixels, qreal logicalDpi);

// The resolution a window's twips are converted at: the screen's logical
// resolution, raised in step with the widget's font where that is larger than
// the one the layouts were drawn for (9 pt), as a desktop's "large fonts"
// setting raised it, so the designed proportions hold and text keeps its room.
qreal layoutDpi(const QWidget *widget);

// Room left between a label grown to its text and the field after it.
constexpr int labelGapPixels = 4;

} // namespace bidwarden

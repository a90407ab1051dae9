#include "form_units.h"

#include <QFontInfo>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace bidwarden {

namespace {

constexpr int twipsPerInch = 1440;
// The font size the layouts were drawn for.
constexpr qreal layoutFontPoints = 9;

} // namespace

int twipsToPixels(int twips, qreal logicalDpi)
{
    return int(std::lround(twips * logicalDpi / twipsPerInch));
}

int pixelsToTwips(int pixels, qreal logicalDpi)
{
    return int(std::lround(pixels * twipsPerInch / logicalDpi));
}

qreal layoutDpi(const QWidget *widget)
{
    // QFontInfo: the size the font really has, also one given in pixels.
    const qreal points = QFontInfo(widget->font()).pointSizeF();
    return widget->logicalDpiY() * std::max<qreal>(1, points / layoutFontPoints);
}

} // namespace bidwarden

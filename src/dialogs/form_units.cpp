#include "form_units.h"

#include <cmath>

namespace bidwarden {

namespace {

constexpr int twipsPerInch = 1440;

} // namespace

int twipsToPixels(int twips, qreal logicalDpi)
{
    return int(std::lround(twips * logicalDpi / twipsPerInch));
}

int pixelsToTwips(int pixels, qreal logicalDpi)
{
    return int(std::lround(pixels * twipsPerInch / logicalDpi));
}

} // namespace bidwarden

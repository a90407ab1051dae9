#include "layout_rules.h"

#include <cmath>

namespace bidwarden {

namespace {

std::optional<int> nonNegative(int size)
{
    return size < 0 ? std::nullopt : std::optional<int>(size);
}

} // namespace

ResizedControls layoutForWindow(QSize outerTwips)
{
    const int w = outerTwips.width();
    const int h = outerTwips.height();
    ResizedControls sizes;
    sizes.webWidth = nonNegative(w - 100);
    sizes.webHeight = nonNegative(h - 2290);
    sizes.serviceWebWidth = nonNegative(w - 100);
    sizes.serviceWebHeight = nonNegative(h - 2290);
    sizes.tabStripWidth = nonNegative(w - 100);
    sizes.tabStripHeight = nonNegative(h - 2290);
    sizes.addressBoxWidth = nonNegative(w - 3000);
    return sizes;
}

QSize firstWindowSize(QSize designed, QSize available, QSize frame)
{
    return designed.boundedTo(available - frame).expandedTo(QSize(1, 1));
}

} // namespace bidwarden

#pragma once

#include "form_units.h"

#include <QSize>

#include <optional>

namespace bidwarden {

// The sizes that follow the window's outer size. A size that would be
// negative is left out, and that control keeps the size it had.
struct ResizedControls
{
    std::optional<int> webWidth;
    std::optional<int> webHeight;
    std::optional<int> serviceWebWidth;
    std::optional<int> serviceWebHeight;
    std::optional<int> tabStripWidth;
    std::optional<int> tabStripHeight;
    std::optional<int> addressBoxWidth;
};

// All in twips: the panes and the tab strip take the window's width less 100
// and its height less 2290; the address box its width less 3000.
ResizedControls layoutForWindow(QSize outerTwips);

// The first window's size (client area and menu bar, in pixels) on a screen
// whose available area is `available`, given what the window's frame adds:
// the designed size, shrunk where it would not fit.
QSize firstWindowSize(QSize designed, QSize available, QSize frame);

} // namespace bidwarden

#include "zoom_steps.h"

#include <algorithm>
#include <array>

namespace bidwarden {

namespace {

constexpr std::array<qreal, 17> steps{ 0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                       1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 4.0, 5.0 };
// Closer than this to a step is on it.
constexpr qreal tolerance = 0.001;

} // namespace

qreal zoomedIn(qreal factor)
{
    const auto next = std::find_if(steps.begin(), steps.end(), [factor](qreal s) { return s > factor + tolerance; });
    return next == steps.end() ? steps.back() : *next;
}

qreal zoomedOut(qreal factor)
{
    const auto next = std::find_if(steps.rbegin(), steps.rend(), [factor](qreal s) { return s < factor - tolerance; });
    return next == steps.rend() ? steps.front() : *next;
}

} // namespace bidwarden

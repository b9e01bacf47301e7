// Moving window rectangles: to a corner, over another rectangle, into the work area.
#include "framework/window_placement.h"

#include <algorithm>

ScreenRect MovedTo(const ScreenRect& r, int x, int y)
{
    return {x, y, x + r.Width(), y + r.Height()};
}

ScreenRect CentredOver(const ScreenRect& r, const ScreenRect& over)
{
    return MovedTo(r, (over.left + over.right - r.Width()) / 2, (over.top + over.bottom - r.Height()) / 2);
}

ScreenRect ClampedInto(const ScreenRect& r, const ScreenRect& area)
{
    // Right and bottom edges first, so that the left and top edges win for an oversized window.
    const int x = std::max(area.left, std::min(r.left, area.right - r.Width()));
    const int y = std::max(area.top, std::min(r.top, area.bottom - r.Height()));
    return MovedTo(r, x, y);
}

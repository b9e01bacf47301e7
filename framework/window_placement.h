// Window rectangles on the screen and the rules every placement ends with: centred over another
// rectangle, and moved, never resized, so that it lies inside the work area.
#pragma once

struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// The same size with its top-left corner at x, y.
ScreenRect MovedTo(const ScreenRect& r, int x, int y);

// The same size, centred over `over` (halves truncated towards zero).
ScreenRect CentredOver(const ScreenRect& r, const ScreenRect& over);

// Moved as little as needed to lie inside `area`; one larger than the area keeps its top-left
// corner (caption and system menu) inside it.
ScreenRect ClampedInto(const ScreenRect& r, const ScreenRect& area);

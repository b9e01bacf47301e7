// Window rectangles and work areas of the screen as the portable placement rules take them.
#pragma once

#include <windows.h>

#include "framework/window_placement.h"

ScreenRect ToScreenRect(const RECT& r);
ScreenRect WindowRectOf(HWND window);
// The work area (the screen without the taskbar) of the monitor nearest to the window.
ScreenRect WorkAreaOf(HWND window);
// Moves the window to the rectangle's top-left corner, keeping its size; `flags` add to SWP_NOSIZE.
void MoveWindowTo(HWND window, const ScreenRect& r, HWND insertAfter, UINT flags);

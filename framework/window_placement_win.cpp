// Window and work-area rectangles from the window manager, and moving a window.
#include "framework/window_placement_win.h"

ScreenRect ToScreenRect(const RECT& r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

ScreenRect WindowRectOf(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return ToScreenRect(r);
}

ScreenRect WorkAreaOf(HWND window)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        return ToScreenRect(info.rcWork);
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return ToScreenRect(work);
}

void MoveWindowTo(HWND window, const ScreenRect& r, HWND insertAfter, UINT flags)
{
    ::SetWindowPos(window, insertAfter, r.left, r.top, 0, 0, SWP_NOSIZE | flags);
}

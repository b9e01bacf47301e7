// Pixel comparison of an icon control on screen with the standard icons.
#include "icon_match.h"

#include <vector>

namespace
{

struct Candidate {
    LPCWSTR resource;
    const char* name;
};

const Candidate kCandidates[] = {
    {IDI_HAND, "error"},
    {IDI_QUESTION, "question"},
    {IDI_EXCLAMATION, "warning"},
    {IDI_ASTERISK, "information"},
};

// A 32-bit top-down bitmap and its pixels.
struct Canvas {
    Canvas(HDC screen, int w, int h) : width(w), height(h)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        dc = CreateCompatibleDC(screen);
        old = SelectObject(dc, bitmap);
        pixels = static_cast<const DWORD*>(bits);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF color)
    {
        RECT rc{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
    }
    DWORD At(int i) const { return pixels[i] & 0xFFFFFF; }

    int width, height;
    HBITMAP bitmap = nullptr;
    HDC dc = nullptr;
    HGDIOBJ old = nullptr;
    const DWORD* pixels = nullptr;
};

bool Close(DWORD a, DWORD b)
{
    for (int shift = 0; shift < 24; shift += 8) {
        int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 12 || d < -12)
            return false;
    }
    return true;
}

// Share of the icon's opaque pixels that the screen shows unchanged.
double MatchRatio(HDC screen, const Canvas& shot, HICON icon)
{
    // A pixel drawn alike over black and over white is opaque, whatever the background.
    Canvas black(screen, shot.width, shot.height), white(screen, shot.width, shot.height);
    black.Fill(RGB(0, 0, 0));
    white.Fill(RGB(255, 255, 255));
    DrawIconEx(black.dc, 0, 0, icon, shot.width, shot.height, 0, nullptr, DI_NORMAL);
    DrawIconEx(white.dc, 0, 0, icon, shot.width, shot.height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    int opaque = 0, same = 0;
    for (int i = 0; i < shot.width * shot.height; ++i) {
        if (black.At(i) != white.At(i))
            continue;
        ++opaque;
        same += Close(black.At(i), shot.At(i)) ? 1 : 0;
    }
    return opaque ? static_cast<double>(same) / opaque : 0.0;
}

} // namespace

const char* IdentifyStandardIcon(HWND iconControl)
{
    RECT rc{};
    GetClientRect(iconControl, &rc);
    MapWindowPoints(iconControl, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return "unknown";
    HDC screen = GetDC(nullptr);
    Canvas shot(screen, w, h);
    BitBlt(shot.dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    GdiFlush();
    const char* best = "unknown";
    double bestRatio = 0.9; // below this the control shows something else
    for (const Candidate& c : kCandidates) {
        double ratio = MatchRatio(screen, shot, LoadIconW(nullptr, c.resource));
        if (ratio > bestRatio) {
            bestRatio = ratio;
            best = c.name;
        }
    }
    ReleaseDC(nullptr, screen);
    return best;
}

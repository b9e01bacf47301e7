// Commands for shared system state: the clipboard's Unicode text, the screen, system metrics and fonts.
#include "commands.h"

#include <array>
#include <cstring>

namespace
{

// Another process may hold the clipboard for a moment; try for up to a second.
void OpenClipboardPatiently()
{
    for (int i = 0; i < 100; ++i) {
        if (OpenClipboard(nullptr))
            return;
        Sleep(10);
    }
    throw CommandError("clipboard stays busy");
}

void SetClipboard(const Args& args, JsonReply&)
{
    const std::wstring& text = args[0];
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory)
        throw CommandError("GlobalAlloc failed");
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenClipboardPatiently();
    EmptyClipboard();
    bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    if (!set) {
        GlobalFree(memory);
        throw CommandError("SetClipboardData failed");
    }
}

void GetClipboard(const Args&, JsonReply& reply)
{
    OpenClipboardPatiently();
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) {
        CloseClipboard();
        reply.AddNull("text");
        return;
    }
    std::wstring text(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    CloseClipboard();
    reply.Add("text", text);
}

void Screen(const Args&, JsonReply& reply)
{
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    reply.Add("width", static_cast<int64_t>(GetSystemMetrics(SM_CXSCREEN)))
        .Add("height", static_cast<int64_t>(GetSystemMetrics(SM_CYSCREEN)))
        .Add("work_left", static_cast<int64_t>(work.left))
        .Add("work_top", static_cast<int64_t>(work.top))
        .Add("work_right", static_cast<int64_t>(work.right))
        .Add("work_bottom", static_cast<int64_t>(work.bottom));
}

void Metric(const Args& args, JsonReply& reply)
{
    reply.Add("value", static_cast<int64_t>(GetSystemMetrics(static_cast<int>(ParseNumber(args[0])))));
}

// A text measured in a font made as the dialog manager makes a template's font (face and points at
// the screen's dpi), so that a label's text can be held against the label's width.
void TextExtent(const Args& args, JsonReply& reply)
{
    HDC screen = GetDC(nullptr);
    const int points = static_cast<int>(ParseNumber(args[1]));
    HFONT font = CreateFontW(-MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                             FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                             FF_DONTCARE, args[0].c_str());
    HGDIOBJ previous = SelectObject(screen, font);
    SIZE size{};
    const BOOL measured = GetTextExtentPoint32W(screen, args[2].c_str(), static_cast<int>(args[2].size()), &size);
    wchar_t face[LF_FACESIZE] = {};
    GetTextFaceW(screen, LF_FACESIZE, face);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    if (!measured)
        throw CommandError("GetTextExtentPoint32W failed");
    reply.Add("width", static_cast<int64_t>(size.cx))
        .Add("height", static_cast<int64_t>(size.cy))
        .Add("face", std::wstring(face));
}

const std::array kCommands = {
    Command{"setclip", "TEXT  puts Unicode text on the clipboard", 1, SetClipboard},
    Command{"getclip", "  the clipboard's Unicode text, or null", 0, GetClipboard},
    Command{"screen", "  screen width and height, and the work area", 0, Screen},
    Command{"metric", "INDEX  GetSystemMetrics(INDEX), e.g. 32 for SM_CXFRAME", 1, Metric},
    Command{"textextent", "FACE POINTS TEXT  size of TEXT in that font (GetTextExtentPoint32) and the face used", 3,
            TextExtent},
};

} // namespace

std::span<const Command> SystemCommands()
{
    return kCommands;
}

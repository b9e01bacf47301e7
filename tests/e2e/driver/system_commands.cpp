// Commands for shared system state: the clipboard's Unicode text, the screen and system metrics.
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

const std::array kCommands = {
    Command{"setclip", "TEXT  puts Unicode text on the clipboard", 1, SetClipboard},
    Command{"getclip", "  the clipboard's Unicode text, or null", 0, GetClipboard},
    Command{"screen", "  screen width and height, and the work area", 0, Screen},
    Command{"metric", "INDEX  GetSystemMetrics(INDEX), e.g. 32 for SM_CXFRAME", 1, Metric},
};

} // namespace

std::span<const Command> SystemCommands()
{
    return kCommands;
}

// Commands that find windows and read their texts, states and rectangles.
#include "commands.h"
#include "window_query.h"

#include <array>

namespace
{

struct FindFilter {
    std::wstring className; // empty: any
    std::wstring caption;   // empty: any
    DWORD pid = 0;          // 0: any
    bool visibleOnly = true;
    std::vector<HWND> found;
};

std::wstring Pattern(const std::wstring& word)
{
    return word == L"*" ? std::wstring() : word;
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param)
{
    auto* filter = reinterpret_cast<FindFilter*>(param);
    if (filter->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    if (filter->pid && WindowProcessId(hwnd) != filter->pid)
        return TRUE;
    if (!filter->className.empty() && ClassName(hwnd) != filter->className)
        return TRUE;
    // The caption of a top-level window is stored by the system; no message needed.
    if (!filter->caption.empty()) {
        wchar_t text[512] = {};
        GetWindowTextW(hwnd, text, 512);
        if (filter->caption != text)
            return TRUE;
    }
    filter->found.push_back(hwnd);
    return TRUE;
}

// Descriptions of the windows that still exist; one may close while we read it.
std::string DescribeAll(const std::vector<HWND>& windows)
{
    std::vector<std::string> items;
    for (HWND hwnd : windows) {
        try {
            items.push_back(DescribeWindow(hwnd));
        } catch (const WindowGone&) {
        }
    }
    return JsonArray(items);
}

BOOL CALLBACK CollectChild(HWND hwnd, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
    return TRUE;
}

void Find(const Args& args, JsonReply& reply)
{
    FindFilter filter{Pattern(args[0]), Pattern(args[1]), 0, true, {}};
    if (args.size() > 2)
        filter.pid = static_cast<DWORD>(ParseNumber(args[2]));
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&filter));
    if (filter.found.empty())
        reply.AddNull("hwnd");
    else
        reply.AddHandle("hwnd", filter.found.front());
}

void ListWindows(const Args& args, JsonReply& reply)
{
    FindFilter filter;
    filter.visibleOnly = false;
    if (!args.empty())
        filter.pid = static_cast<DWORD>(ParseNumber(args[0]));
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&filter));
    reply.AddRaw("windows", DescribeAll(filter.found));
}

void Children(const Args& args, JsonReply& reply)
{
    std::vector<HWND> children;
    EnumChildWindows(ResolveWindow(args[0]), CollectChild, reinterpret_cast<LPARAM>(&children));
    reply.AddRaw("children", DescribeAll(children));
}

void Exists(const Args& args, JsonReply& reply)
{
    int64_t value = ParseNumber(args[0].substr(0, args[0].find(L'/')));
    HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(value));
    reply.Add("exists", IsWindow(hwnd) != FALSE);
}

void Describe(const Args& args, JsonReply& reply)
{
    reply.AddRaw("window", DescribeWindow(ResolveWindow(args[0])));
}

void Text(const Args& args, JsonReply& reply)
{
    reply.Add("text", WindowText(ResolveWindow(args[0])));
}

void SetText(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    SendWithTimeout(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args[1].c_str()));
    reply.Add("text", WindowText(hwnd));
}

void Enabled(const Args& args, JsonReply& reply)
{
    reply.Add("enabled", IsWindowEnabled(ResolveWindow(args[0])) != FALSE);
}

void Visible(const Args& args, JsonReply& reply)
{
    reply.Add("visible", IsWindowVisible(ResolveWindow(args[0])) != FALSE);
}

std::string RectJson(const RECT& rc)
{
    return JsonArray(
        {std::to_string(rc.left), std::to_string(rc.top), std::to_string(rc.right), std::to_string(rc.bottom)});
}

void Rect(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    RECT window{}, client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    reply.AddRaw("window", RectJson(window)).AddRaw("client", RectJson(client));
}

// Moves a top-level window as a user's drag would, keeping its size, z-order and activation.
void Move(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    int x = static_cast<int>(ParseNumber(args[1]));
    int y = static_cast<int>(ParseNumber(args[2]));
    if (!SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE))
        throw CommandError("SetWindowPos failed");
    RECT window{};
    GetWindowRect(hwnd, &window);
    reply.AddRaw("window", RectJson(window));
}

// Lets the window handle a pending WM_PAINT now (UpdateWindow sends it), so that what it
// records when painted belongs to its present position.
void Paint(const Args& args, JsonReply&)
{
    UpdateWindow(ResolveWindow(args[0]));
}

void GuiInfo(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info))
        throw CommandError("GetGUIThreadInfo failed");
    reply.AddHandle("focus", info.hwndFocus)
        .AddHandle("active", info.hwndActive)
        .AddHandle("capture", info.hwndCapture)
        .AddHandle("foreground", GetForegroundWindow());
}

const std::array kCommands = {
    Command{"find", "CLASS|* CAPTION|* [PID]  first visible top-level window that matches", 2, Find},
    Command{"windows", "[PID]  all top-level windows (of a process)", 0, ListWindows},
    Command{"children", "WIN  all descendant windows", 1, Children},
    Command{"exists", "HWND  whether the window still exists", 1, Exists},
    Command{"describe", "WIN  one window", 1, Describe},
    Command{"text", "WIN  window text (WM_GETTEXT)", 1, Text},
    Command{"settext", "WIN TEXT  set window text (WM_SETTEXT)", 2, SetText},
    Command{"enabled", "WIN", 1, Enabled},
    Command{"visible", "WIN", 1, Visible},
    Command{"rect", "WIN  window and client rectangles in screen coordinates", 1, Rect},
    Command{"move", "WIN X Y  moves a window to screen position X, Y (size kept)", 3, Move},
    Command{"paint", "WIN  handles a pending paint of the window now (UpdateWindow)", 1, Paint},
    Command{"guiinfo", "WIN  focus, active and capture windows of the window's thread", 1, GuiInfo},
};

} // namespace

std::span<const Command> WindowCommands()
{
    return kCommands;
}

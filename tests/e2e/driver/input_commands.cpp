// Commands that post or send messages to another process's windows: clicks,
// WM_COMMAND, WM_SYSCOMMAND, WM_CLOSE, posted keys and characters.
#include "commands.h"
#include "keys.h"
#include "window_query.h"

#include <array>
#include <utility>

namespace
{

const std::pair<const wchar_t*, WPARAM> kSysCommands[] = {
    {L"close", SC_CLOSE}, {L"minimize", SC_MINIMIZE}, {L"maximize", SC_MAXIMIZE}, {L"restore", SC_RESTORE},
    {L"move", SC_MOVE},   {L"size", SC_SIZE},         {L"keymenu", SC_KEYMENU},   {L"nextwindow", SC_NEXTWINDOW},
};

void Post(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!PostMessageW(hwnd, message, wParam, lParam))
        throw CommandError("PostMessageW failed");
}

// Why a user could not click this window now, or an empty text when they could.
std::string ClickRefusal(HWND hwnd)
{
    if (!IsWindowVisible(hwnd))
        return "control is hidden";
    if (!IsWindowEnabled(hwnd))
        return "control is disabled";
    if (!IsWindowEnabled(GetAncestor(hwnd, GA_ROOT)))
        return "its window is disabled (a modal window is open)";
    return {};
}

void Click(const Args& args, JsonReply& reply)
{
    HWND hwnd = ResolveWindow(args[0]);
    std::string refusal = ClickRefusal(hwnd);
    if (!refusal.empty())
        throw CommandError(refusal);
    // Posted, so that a click which opens a modal window does not block the driver.
    Post(hwnd, BM_CLICK, 0, 0);
    reply.AddHandle("hwnd", hwnd);
}

void CommandMessage(const Args& args, JsonReply& reply)
{
    HWND parent = ResolveWindow(args[0]);
    int id = static_cast<int>(ParseNumber(args[1]));
    int code = static_cast<int>(ParseNumber(OptionalArg(args, 2, L"0")));
    bool send = OptionalArg(args, 3, L"post") == L"send";
    WPARAM wParam = MAKEWPARAM(id, code);
    LPARAM lParam = reinterpret_cast<LPARAM>(GetDlgItem(parent, id));
    if (send)
        reply.Add("result", static_cast<int64_t>(SendWithTimeout(parent, WM_COMMAND, wParam, lParam)));
    else
        Post(parent, WM_COMMAND, wParam, lParam);
}

void SysCommand(const Args& args, JsonReply&)
{
    WPARAM command = 0;
    bool named = false;
    for (const auto& [name, value] : kSysCommands)
        if (args[1] == name) {
            command = value;
            named = true;
        }
    if (!named)
        command = static_cast<WPARAM>(ParseNumber(args[1]));
    Post(ResolveWindow(args[0]), WM_SYSCOMMAND, command, 0);
}

void Close(const Args& args, JsonReply&)
{
    Post(ResolveWindow(args[0]), WM_CLOSE, 0, 0);
}

void RawMessage(const Args& args, JsonReply& reply, bool send)
{
    HWND hwnd = ResolveWindow(args[0]);
    UINT message = static_cast<UINT>(ParseNumber(args[1]));
    WPARAM wParam = static_cast<WPARAM>(ParseNumber(OptionalArg(args, 2, L"0")));
    LPARAM lParam = static_cast<LPARAM>(ParseNumber(OptionalArg(args, 3, L"0")));
    if (send)
        reply.Add("result", static_cast<int64_t>(SendWithTimeout(hwnd, message, wParam, lParam)));
    else
        Post(hwnd, message, wParam, lParam);
}

void PostRaw(const Args& args, JsonReply& reply)
{
    RawMessage(args, reply, false);
}

void SendRaw(const Args& args, JsonReply& reply)
{
    RawMessage(args, reply, true);
}

void Key(const Args& args, JsonReply&)
{
    HWND hwnd = ResolveWindow(args[0]);
    KeyChord chord = ParseChord(args[1]);
    std::wstring action = OptionalArg(args, 2, L"press");
    if (action != L"press" && action != L"down" && action != L"up")
        throw CommandError("key action must be press, down or up");
    // Alt makes them system keys; Ctrl and Shift cannot be carried by a posted message.
    bool alt = false;
    for (WORD m : chord.modifiers)
        alt = alt || m == VK_MENU;
    UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    if (action != L"up")
        Post(hwnd, down, chord.vk, KeyMessageParam(chord.vk, false, alt));
    if (action != L"down")
        Post(hwnd, up, chord.vk, KeyMessageParam(chord.vk, true, alt));
}

void Chars(const Args& args, JsonReply&)
{
    HWND hwnd = ResolveWindow(args[0]);
    for (wchar_t c : args[1])
        Post(hwnd, WM_CHAR, c, 1);
}

const std::array kCommands = {
    Command{"click", "WIN  BM_CLICK, refused when a user could not click", 1, Click},
    Command{"command", "WIN ID [CODE] [post|send]  WM_COMMAND from control ID", 2, CommandMessage},
    Command{"syscommand", "WIN close|minimize|restore|...|NUMBER  posts WM_SYSCOMMAND", 2, SysCommand},
    Command{"close", "WIN  posts WM_CLOSE", 1, Close},
    Command{"post", "WIN MSG [WPARAM] [LPARAM]  any message without pointers", 2, PostRaw},
    Command{"send", "WIN MSG [WPARAM] [LPARAM]  any message without pointers", 2, SendRaw},
    Command{"key", "WIN KEY [press|down|up]  posts WM_KEYDOWN/WM_KEYUP", 2, Key},
    Command{"chars", "WIN TEXT  posts one WM_CHAR per character", 2, Chars},
};

} // namespace

std::span<const Command> InputCommands()
{
    return kCommands;
}

// Commands that type through the system's input queue (SendInput), so that the
// target sees real keyboard state such as a held Ctrl; they act on the focus.
#include "commands.h"
#include "keys.h"
#include "window_query.h"

#include <array>

namespace
{

INPUT KeyInput(WORD vk, wchar_t unicode, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.wScan = unicode ? unicode : static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    if ((vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    return input;
}

// Makes hwnd's top-level window the foreground window and hwnd its focus.
void TakeFocus(HWND hwnd)
{
    HWND top = GetAncestor(hwnd, GA_ROOT);
    SetForegroundWindow(top);
    for (int i = 0; i < 100 && GetForegroundWindow() != top; ++i)
        Sleep(10);
    if (GetForegroundWindow() != top)
        throw CommandError("window did not come to the foreground");
    if (hwnd == top)
        return;
    // SetFocus works only for windows of a thread that shares our input state.
    DWORD target = GetWindowThreadProcessId(hwnd, nullptr);
    DWORD self = GetCurrentThreadId();
    AttachThreadInput(self, target, TRUE);
    SetFocus(hwnd);
    AttachThreadInput(self, target, FALSE);
}

void Send(std::vector<INPUT>& inputs)
{
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size())
        throw CommandError("SendInput failed");
}

void Focus(const Args& args, JsonReply&)
{
    TakeFocus(ResolveWindow(args[0]));
}

void SendKeys(const Args& args, JsonReply&)
{
    TakeFocus(ResolveWindow(args[0]));
    std::vector<INPUT> inputs;
    for (size_t i = 1; i < args.size(); ++i) {
        KeyChord chord = ParseChord(args[i]);
        for (WORD m : chord.modifiers)
            inputs.push_back(KeyInput(m, 0, false));
        inputs.push_back(KeyInput(chord.vk, 0, false));
        inputs.push_back(KeyInput(chord.vk, 0, true));
        for (auto m = chord.modifiers.rbegin(); m != chord.modifiers.rend(); ++m)
            inputs.push_back(KeyInput(*m, 0, true));
    }
    Send(inputs);
}

void SendText(const Args& args, JsonReply&)
{
    TakeFocus(ResolveWindow(args[0]));
    std::vector<INPUT> inputs;
    for (wchar_t c : args[1]) {
        inputs.push_back(KeyInput(0, c, false));
        inputs.push_back(KeyInput(0, c, true));
    }
    Send(inputs);
}

const std::array kCommands = {
    Command{"focus", "WIN  bring its window to the foreground and focus WIN", 1, Focus},
    Command{"sendkeys", "WIN CHORD...  focus WIN, then SendInput each chord (ctrl+v, esc, f4)", 2, SendKeys},
    Command{"sendtext", "WIN TEXT  focus WIN, then SendInput the text as Unicode keys", 2, SendText},
};

} // namespace

std::span<const Command> KeyboardCommands()
{
    return kCommands;
}

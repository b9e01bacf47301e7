// Key names of the protocol ("esc", "f4", "ctrl+shift+a", "0x41") and the
// posted keyboard messages built from them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct KeyChord {
    std::vector<WORD> modifiers; // VK_CONTROL, VK_SHIFT, VK_MENU in the order given
    WORD vk = 0;
};

// Parses "ctrl+alt+del"-style names; throws CommandError on an unknown name.
KeyChord ParseChord(const std::wstring& text);

// The lParam of a posted WM_KEYDOWN/WM_KEYUP (repeat 1, scan code, transition bits).
LPARAM KeyMessageParam(WORD vk, bool up, bool altDown);

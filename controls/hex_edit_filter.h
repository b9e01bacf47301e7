// The hex edit control's keyboard filter: which key presses and characters reach
// the standard edit processing, and as which character.
#pragma once

#include "controls/hex_edit_field.h"

// The virtual keys the filter examines (the Win32 values).
inline constexpr unsigned kVirtualKeyX = 0x58;
inline constexpr unsigned kVirtualKeyV = 0x56;
inline constexpr unsigned kVirtualKeyDelete = 0x2E;
inline constexpr unsigned kVirtualKeyInsert = 0x2D;
// The character that Ctrl+V makes.
inline constexpr unsigned kCtrlVCharacter = 0x16;

// A message of the control, as the filter sees it before translation.
struct HexEditKey {
    enum Kind { KeyDown, Char, Other };
    Kind kind = Other;
    unsigned code = 0;  // the virtual key of a KeyDown, the character of a Char
    bool ctrl = false;  // Ctrl was held (looked at for KeyDown only)
    bool shift = false; // Shift was held (looked at for KeyDown only)
};

struct HexEditFilterResult {
    enum Action {
        Swallow,      // neither translated nor dispatched: no character comes of it
        Pass,         // on to the standard processing unchanged
        PassReplaced, // on to the standard processing as `character`
        Paste,        // swallowed; the control pastes through WM_PASTE, where the one paste check sits
    };
    Action action = Pass;
    char16_t character = 0;
};

// Only hexadecimal digits (letters upper-cased) and a typed "0x" get in, and the
// '0' of a prefix cannot be removed on its own. Every paste key (Ctrl+V, Shift+Insert,
// the Ctrl+V character) becomes Paste, so that no paste passes by the paste check.
HexEditFilterResult FilterHexEditKey(const HexEditKey& key, const HexEditField& field);

// The hex edit control's context menu: its items top to bottom, their command ids
// and when each one is greyed.
#pragma once

#include <string_view>
#include <vector>

#include "controls/hex_edit_field.h"
#include "controls/hex_edit_paste.h"

// Command ids. The first five are the numbers of the edit-control messages that
// carry the commands out (EM_UNDO, WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR).
inline constexpr unsigned kHexEditUndo = 199;
inline constexpr unsigned kHexEditCut = 768;
inline constexpr unsigned kHexEditCopy = 769;
inline constexpr unsigned kHexEditPaste = 770;
inline constexpr unsigned kHexEditClear = 771;
inline constexpr unsigned ID_HEXEDIT_SELECTALL = 0x0B00;
inline constexpr unsigned ID_HEXEDIT_CONVERT = 0x0B01;
// The private message that converts the text; Convert's command id is its number.
inline constexpr unsigned WM_HEXEDIT_CONVERT = 0x0B01;

struct HexEditMenuItem {
    unsigned id = 0;          // 0 for a separator
    std::u16string_view text; // empty for a separator
    bool greyed = false;
};

// What the menu needs besides the text and selection.
struct HexEditMenuContext {
    bool canUndo = false;
    bool readOnly = false;
};

// The items in menu order. The clipboard is read only when "&Paste" is not
// already greyed by the read-only style.
std::vector<HexEditMenuItem> BuildHexEditMenu(const HexEditField& field, const HexEditMenuContext& context,
                                              const ClipboardReader& clipboard);

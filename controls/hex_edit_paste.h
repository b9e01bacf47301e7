// The hex edit control and the clipboard: may a text be pasted, and how the
// context menu tidies the clipboard text before its clipboard commands.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "controls/hex_edit_field.h"

// What the clipboard offered when the control looked at it.
struct ClipboardView {
    bool hasText = false; // it offers Unicode text
    bool opened = false;  // it could be opened to read that text
    std::u16string text;  // the text up to its terminating zero, once opened
};

// Looks at the clipboard. The rules call it only when their answer depends on
// the clipboard, because on Win32 a failed look shows a message box.
using ClipboardReader = std::function<ClipboardView()>;

// Whether the clipboard text may replace the field's selection: hexadecimal
// digits only, and a "0x" or "x" in it only where it forms the field's prefix.
bool IsPasteAcceptable(std::u16string_view clip, const HexEditField& field);

// Ctrl+V and the menu's "&Paste": without text nothing pastes; a clipboard that
// could not be opened does not stop a paste; otherwise IsPasteAcceptable decides.
bool ClipboardAllowsPaste(const ClipboardView& clipboard, const HexEditField& field);

// The context menu's clipboard commands first rewrite the clipboard text so that a
// paste from the menu inserts upper-case digits with a lower-case 'x'.
std::u16string NormaliseClipboardText(std::u16string_view clip);

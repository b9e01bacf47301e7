// The identifier fields' rules: the exact length and the message that asks for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/editor_settings.h"

// Identifier index: kOwnIdentifier for the own identifier (field 109), 0..9 for quick-change k (110 + k).
inline constexpr int kOwnIdentifier = -1;

inline constexpr std::size_t kIdentifierLen = 8;

// Exactly 8 characters, whatever they are (the rule on leaving a field).
bool HasIdentifierLength(std::u16string_view id);

// What may be typed or pasted into a field and saved: 8 characters of '0'-'9' and 'A'-'F', where
// 'X' stands only as a whole "XX" pair at a byte position (characters 1-2, 3-4, 5-6 or 7-8).
bool IsValidEditedIdentifier(std::u16string_view id);

// May be written into a record: exactly what the last load put into the field (written back as it
// came, whatever its characters), or a valid edited identifier.
bool IsStorableIdentifier(std::u16string_view id, std::u16string_view loaded);

// "Die Eigene Kennung muss aus genau 8 Zeichen (0-9,A-F) bestehen!" or
// "Die Schnellwechselkennung k muss aus genau 8 Zeichen (0-9,A-F) bestehen!".
std::u16string IdentifierLengthMessage(int index);

// The first identifier of `settings` that may not be written, in the order own, 0 .. 9, each
// compared with its counterpart in `loaded`; nothing when all may.
std::optional<int> FirstUnstorableIdentifier(const EditorSettings& settings, const EditorSettings& loaded);

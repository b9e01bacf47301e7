// What a person may type as a name: a plain-name field holds at most 10 characters of the Latin-1
// range. (Identifiers: config/identifier_rules.h.)
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kNameMaxLen = 10;

// At most 10 characters, each U+0000-U+00FF but not U+0000, which would end the name early.
bool IsTypedName(std::u16string_view name);

// C0 and C1 control characters and DEL: nothing a display or a terminal shows as a character.
inline bool IsControlCharacter(char16_t ch)
{
    return ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch <= 0x9F);
}

// Whether the name holds a character that the device's display cannot show.
bool HasControlCharacter(std::u16string_view name);

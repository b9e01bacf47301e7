// What a person may type as a setting: the hex field lets only upper-case hexadecimal digits into
// an identifier, and a plain-name field holds at most 10 characters of the Latin-1 range.
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kNameMaxLen = 10;

// Exactly 8 characters, each '0'-'9' or 'A'-'F' (the "X" of a loaded spare pair is not typed).
bool IsTypedIdentifier(std::u16string_view id);

// At most 10 characters, each U+0000-U+00FF but not U+0000, which would end the name early.
bool IsTypedName(std::u16string_view name);

// What a person may type as a name: a plain-name field holds at most 10 characters of the Latin-1
// range. (Identifiers: config/identifier_rules.h.)
#pragma once

#include <cstddef>
#include <string_view>

inline constexpr std::size_t kNameMaxLen = 10;

// At most 10 characters, each U+0000-U+00FF but not U+0000, which would end the name early.
bool IsTypedName(std::u16string_view name);

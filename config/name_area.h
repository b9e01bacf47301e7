// The ten plain names: where their hexadecimal pairs stand (running on across records) and
// how a name is read from and written to them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "config/editor_settings.h"

inline constexpr std::size_t kNamePairs = 11; // bytes per name, the terminating 0 included
inline constexpr std::size_t kNameAreaPairs = kNamePairs * kQuickIdCount;

struct NameArea {
    std::array<std::size_t, kNameAreaPairs> pairPos{}; // position of each pair's high digit
    std::size_t end = 0;                               // right after the last pair
};

// Walks the area from `start`; nothing when a pair or the next record lies beyond the end of the text.
std::optional<NameArea> WalkNameArea(std::string_view text, std::size_t start);

// Name k: the characters (Latin-1) before its first 0 byte.
std::u16string ReadName(std::string_view text, const NameArea& area, std::size_t k);

// Name k: its first 11 characters, then a 0 byte, then "00" for every pair left.
void WriteName(std::string& text, const NameArea& area, std::size_t k, std::u16string_view name);

// The editor's configuration text: a file's complete records, one character per byte,
// and the search of a record by its tag.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "transfer/config_record.h"

// The longest configuration text the editor takes (492 records; a real configuration has 160).
inline constexpr std::size_t kMaxConfigTextLen = kMaxConfigFileBytes;

// The file's complete 133-byte records in file order; an incomplete piece at the end is dropped.
std::string ConfigTextFromFile(std::string_view fileBytes);

// Position of the "$" of the first occurrence of a 4-character tag such as "$P07".
std::optional<std::size_t> FindRecord(std::string_view text, std::string_view tag);

// The console's text encoding: UTF-8 on both systems, the core's texts are 16-bit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);

// Nothing when the bytes are no well-formed UTF-8 or name a character beyond U+FFFF.
std::optional<std::u16string> FromUtf8(std::string_view bytes);

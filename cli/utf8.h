// The console's text encoding: UTF-8 on both systems, the core's texts are 16-bit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);

// Nothing when the bytes are no well-formed UTF-8 or name a character beyond U+FFFF.
std::optional<std::u16string> FromUtf8(std::string_view bytes);

// "a"-"z" as "A"-"Z"; every other character as it is.
inline std::u16string AsciiUpperCase(std::u16string text)
{
    for (char16_t& ch : text)
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    return text;
}

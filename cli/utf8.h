// The console's text encoding: UTF-8 on both systems, the core's texts are 16-bit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::string ToUtf8(std::u16string_view text);

// Nothing when the bytes are no well-formed UTF-8 or name a character beyond U+FFFF.
std::optional<std::u16string> FromUtf8(std::string_view bytes);

// C0 and C1 control characters and DEL: nothing a display or a terminal shows as a character.
inline bool IsControlCharacter(char16_t ch)
{
    return ch < 0x20 || ch == 0x7F || (ch >= 0x80 && ch <= 0x9F);
}

// "a"-"z" as "A"-"Z"; every other character as it is.
inline std::u16string AsciiUpperCase(std::u16string text)
{
    for (char16_t& ch : text)
        if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    return text;
}

// Conversions between the portable 16-bit texts and Win32 wide strings (both UTF-16 here).
#pragma once

#include <string>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are 16 bits");

inline std::wstring ToWide(const std::u16string& text)
{
    return std::wstring(text.begin(), text.end());
}

inline std::u16string FromWide(const std::wstring& text)
{
    return std::u16string(text.begin(), text.end());
}

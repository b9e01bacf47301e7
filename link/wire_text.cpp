// Byte-to-character conversions for device replies and fixed texts.
#include "link/wire_text.h"

#include <cstdint>

std::u16string SignExtendBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<char16_t>(static_cast<std::int16_t>(static_cast<std::int8_t>(c))));
    return text;
}

std::u16string WidenBytes(std::string_view bytes)
{
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
    return text;
}

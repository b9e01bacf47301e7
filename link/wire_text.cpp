// Byte-to-character conversions shared by the exchanges and the editor.
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

std::string NarrowToBytes(std::u16string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (char16_t c : text)
        bytes.push_back(static_cast<char>(c & 0xFF));
    return bytes;
}

std::u16string AsciiToText(std::string_view ascii)
{
    return WidenBytes(ascii);
}

// Upper-case hexadecimal digits and pairs.
#include "sim/hex_text.h"

namespace
{
constexpr char kDigits[] = "0123456789ABCDEF";
}

std::optional<int> HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

std::string HexPair(std::uint8_t value)
{
    return {kDigits[value >> 4], kDigits[value & 0x0F]};
}

std::optional<std::uint8_t> ParseHexPair(char high, char low)
{
    const auto h = HexDigit(high);
    const auto l = HexDigit(low);
    if (!h || !l)
        return std::nullopt;
    return static_cast<std::uint8_t>(*h * 16 + *l);
}

std::string HexText(const std::uint8_t* data, std::size_t n)
{
    std::string text;
    text.reserve(2 * n);
    for (std::size_t i = 0; i < n; ++i)
        text += HexPair(data[i]);
    return text;
}

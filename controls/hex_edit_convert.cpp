// Reading and writing the numbers of the hex edit control's Convert command.
#include "controls/hex_edit_convert.h"

#include <cstdint>
#include <limits>

#include "controls/hex_edit_field.h"

namespace
{

bool IsSpace(char16_t ch)
{
    return ch == u' ' || (ch >= u'\t' && ch <= u'\r');
}

int DigitValue(char16_t ch)
{
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    if (ch >= u'a' && ch <= u'f')
        return ch - u'a' + 10;
    return -1;
}

// The scanf number rules: leading white space, an optional sign, for base 16 an
// optional "0x"/"0X", then digits up to the first other character. The magnitude
// is kept in 64 bits and stops growing at `cap`, so that no input overflows.
struct Scanned {
    bool negative = false;
    std::uint64_t magnitude = 0;
};

Scanned Scan(const std::u16string& text, int base, std::uint64_t cap)
{
    Scanned result;
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        result.negative = text[i++] == u'-';
    if (base == 16 && i + 2 < text.size() && text[i] == u'0' && IsLetterX(text[i + 1]) && IsHexDigit(text[i + 2]))
        i += 2;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || digit >= base)
            break;
        result.magnitude = result.magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (result.magnitude > cap)
            result.magnitude = cap + 1;
    }
    return result;
}

// "%x": a value beyond 32 bits saturates at 0xFFFFFFFF whatever its sign (as strtoul
// does); otherwise a minus sign negates modulo 2^32.
std::uint32_t ReadHex(const std::u16string& text)
{
    const std::uint64_t max = std::numeric_limits<std::uint32_t>::max();
    const Scanned s = Scan(text, 16, max);
    if (s.magnitude > max)
        return static_cast<std::uint32_t>(max);
    const auto value = static_cast<std::uint32_t>(s.magnitude);
    return s.negative ? 0u - value : value;
}

// "%d": a value outside the signed 32-bit range saturates at the nearest end of it,
// so "99999999999" reads as 0x7FFFFFFF and "-99999999999" as 0x80000000.
std::int32_t ReadDecimal(const std::u16string& text)
{
    const std::int64_t max = std::numeric_limits<std::int32_t>::max();
    const std::int64_t min = std::numeric_limits<std::int32_t>::min();
    const Scanned s = Scan(text, 10, static_cast<std::uint64_t>(max) + 1);
    const std::int64_t signedValue =
        s.negative ? -static_cast<std::int64_t>(s.magnitude) : static_cast<std::int64_t>(s.magnitude);
    if (signedValue > max)
        return static_cast<std::int32_t>(max);
    if (signedValue < min)
        return static_cast<std::int32_t>(min);
    return static_cast<std::int32_t>(signedValue);
}

std::u16string Digits(std::uint32_t value, unsigned base)
{
    static const char16_t kDigits[] = u"0123456789ABCDEF";
    std::u16string reversed;
    do {
        reversed.push_back(kDigits[value % base]);
        value /= base;
    } while (value != 0);
    return {reversed.rbegin(), reversed.rend()};
}

} // namespace

bool TextCountsAsHex(const std::u16string& text)
{
    if (text.starts_with(u"0x"))
        return true;
    for (char16_t ch : text) {
        if (ch >= u'A' && ch <= u'F')
            return true;
    }
    return false;
}

std::u16string ConvertHexEditText(const std::u16string& text, bool isHex)
{
    if (isHex)
        return Digits(ReadHex(text.starts_with(u"0x") ? text.substr(2) : text), 10);
    return u"0x" + Digits(static_cast<std::uint32_t>(ReadDecimal(text)), 16);
}

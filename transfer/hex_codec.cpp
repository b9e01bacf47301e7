// The hexadecimal digit codec; it knows upper-case digits only.
#include "transfer/hex_codec.h"

bool IsUpperHexDigit(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F');
}

int HexDigitValue(char16_t ch)
{
    if (ch >= u'1' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return 0;
}

char16_t HexDigitChar(int value)
{
    if (value >= 1 && value <= 9)
        return static_cast<char16_t>(u'0' + value);
    if (value >= 10 && value <= 14)
        return static_cast<char16_t>(u'A' + value - 10);
    return u'F';
}

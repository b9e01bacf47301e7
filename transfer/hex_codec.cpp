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

char NibbleChar(int nibble)
{
    if (nibble >= 0 && nibble <= 9)
        return static_cast<char>('0' + nibble);
    if (nibble >= 10 && nibble <= 14)
        return static_cast<char>('A' + nibble - 10);
    return 'F';
}

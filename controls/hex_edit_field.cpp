// Character classes and the prefix test shared by the hex edit control's rules.
#include "controls/hex_edit_field.h"

bool IsPrefixed(const std::u16string& text)
{
    return text.size() >= 2 && IsLetterX(text[1]);
}

bool IsHexDigit(char16_t ch)
{
    return (ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F') || (ch >= u'a' && ch <= u'f');
}

bool IsLetterX(char16_t ch)
{
    return ch == u'x' || ch == u'X';
}

// What every decision of the hex edit control looks at: its text and its selection.
#pragma once

#include <string>

// The text and the selection as the edit control reports them; end equals start
// when nothing is selected, and the caret is at end.
struct HexEditField {
    std::u16string text;
    int start = 0;
    int end = 0;
};

// The text carries a "0x" prefix: its second character is 'x' or 'X'. The first
// character is deliberately not examined, so "1x" counts too.
bool IsPrefixed(const std::u16string& text);

bool IsHexDigit(char16_t ch);

bool IsLetterX(char16_t ch);

// The hex edit control's two forms of a number: when a text counts as hexadecimal,
// and Convert between hexadecimal ("0x%X") and decimal ("%u").
#pragma once

#include <string>

// The rule behind m_isHex: the text begins with exactly "0x" (lower-case 'x') or
// holds an upper-case 'A' to 'F'. So "1F" is hexadecimal, "10" and "ff" are not.
bool TextCountsAsHex(const std::u16string& text);

// Hexadecimal text (a leading "0x" dropped, then read by "%x" rules) becomes its
// 32-bit value in "%u"; other text, read by "%d" rules, becomes "0x%X". Text that
// cannot be read gives 0. Numbers beyond 32 bits saturate (see the .cpp).
std::u16string ConvertHexEditText(const std::u16string& text, bool isHex);

// Single hexadecimal digits to values and back, as the records, the transfers and the editor use them.
#pragma once

// "0"-"9" and "A"-"F"; lower case is no digit of the records' codec.
bool IsUpperHexDigit(char16_t ch);

// "1"-"9" and "A"-"F" give 1-15; every other character gives 0 ("0", lower case and "X" included).
int HexDigitValue(char16_t ch);

// The character of a nibble as the device's requests and the records carry it: 0-14 give
// "0"-"E"; every other value gives "F".
char NibbleChar(int nibble);

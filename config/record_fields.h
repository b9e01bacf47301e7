// The codings of the editor's fields inside a configuration text: hexadecimal pairs and the
// identifier order.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Whether `len` characters from `pos` lie inside the text.
bool FieldFits(std::string_view text, std::size_t pos, std::size_t len);

// The byte of the pair at pos; characters that are no upper-case hex digit ("X" too) count as 0.
int ReadBytePair(std::string_view text, std::size_t pos);

// Writes a character code as a pair; a code above 0xFF gives "F" and the digit of its low nibble.
void WriteBytePair(std::string& text, std::size_t pos, int code);

// The 8 characters at pos in display order (d0..d7, stored as d6 d7 d4 d5 d2 d3 d0 d1), moved as they are.
std::u16string ReadIdentifier(std::string_view text, std::size_t pos);

// Stores an identifier of 8 ASCII characters at pos in record order.
void WriteIdentifier(std::string& text, std::size_t pos, std::u16string_view id);

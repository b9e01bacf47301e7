// The program's 16-bit texts and how bytes from the device or a file become them.
#pragma once

#include <string>
#include <string_view>

// Device bytes become characters by sign extension: 0x80-0xFF give U+FF80-U+FFFF.
std::u16string SignExtendBytes(std::string_view bytes);

// File bytes become characters one to one: 0x80-0xFF give U+0080-U+00FF.
std::u16string WidenBytes(std::string_view bytes);

// The inverse of WidenBytes for texts that hold only U+0000-U+00FF.
std::string NarrowToBytes(std::u16string_view text);

// Plain ASCII literal to a 16-bit text (for tests and fixed texts).
std::u16string AsciiToText(std::string_view ascii);

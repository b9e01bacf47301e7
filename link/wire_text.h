// The program's 16-bit texts and how bytes from the device or a file become them.
#pragma once

#include <string>
#include <string_view>

// Device bytes become characters by sign extension: 0x80-0xFF give U+FF80-U+FFFF.
std::u16string SignExtendBytes(std::string_view bytes);

// Other bytes become characters one to one, so ASCII text stays as it is (numbers, fixed
// texts): 0x80-0xFF give U+0080-U+00FF.
std::u16string WidenBytes(std::string_view bytes);

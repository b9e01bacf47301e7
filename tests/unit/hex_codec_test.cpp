// The hex digit codec against its value tables, including the odd corners (no lower case, 15 and beyond -> "F").
#include <gtest/gtest.h>

#include "transfer/hex_codec.h"

TEST(HexCodec, DigitValues)
{
    const std::pair<char16_t, int> cases[] = {
        {u'1', 1}, {u'9', 9}, {u'A', 10}, {u'E', 14}, {u'F', 15}, {u'0', 0},      {u'a', 0},
        {u'f', 0}, {u'X', 0}, {u' ', 0},  {u'G', 0},  {u'@', 0},  {u'\xFF21', 0}, {u'\x0131', 0},
    };
    for (const auto& [ch, value] : cases)
        EXPECT_EQ(HexDigitValue(ch), value) << static_cast<int>(ch);
}

TEST(HexCodec, NibbleChars)
{
    const std::pair<int, char> cases[] = {
        {0, '0'}, {1, '1'}, {9, '9'}, {10, 'A'}, {14, 'E'}, {15, 'F'}, {16, 'F'}, {-1, 'F'}, {255, 'F'},
    };
    for (const auto& [value, ch] : cases)
        EXPECT_EQ(NibbleChar(value), ch) << value;
}

// The hex digit codec against its value tables, including the odd corners (no lower case, 0 -> "F").
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

TEST(HexCodec, DigitChars)
{
    const std::pair<int, char16_t> cases[] = {
        {1, u'1'}, {9, u'9'}, {10, u'A'}, {14, u'E'}, {0, u'F'}, {15, u'F'}, {16, u'F'}, {-1, u'F'}, {255, u'F'},
    };
    for (const auto& [value, ch] : cases)
        EXPECT_EQ(HexDigitChar(value), ch) << value;
}

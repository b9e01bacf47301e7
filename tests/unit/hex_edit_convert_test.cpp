// The hex edit control's Convert command and the rule that tells which form a text is in.
#include <gtest/gtest.h>

#include "controls/hex_edit_convert.h"

namespace
{

// What the control does: the form is decided by the text update before Convert.
std::u16string Convert(const std::u16string& text)
{
    return ConvertHexEditText(text, TextCountsAsHex(text));
}

} // namespace

TEST(HexEditConvert, FormOfTheText)
{
    for (auto hex : {u"0x", u"0xC", u"0x10", u"1F", u"A", u"12E4", u"0xff"})
        EXPECT_TRUE(TextCountsAsHex(hex)) << std::string(hex, hex + std::char_traits<char16_t>::length(hex));
    for (auto dec : {u"", u"10", u"ff", u"0X1", u"x0", u"00x1", u"abc"})
        EXPECT_FALSE(TextCountsAsHex(dec)) << std::string(dec, dec + std::char_traits<char16_t>::length(dec));
}

TEST(HexEditConvert, RoundTripsBetweenTheTwoForms)
{
    EXPECT_EQ(Convert(u"0xC"), u"12");
    EXPECT_EQ(Convert(u"12"), u"0xC");
    EXPECT_EQ(Convert(u"1F"), u"31");
    EXPECT_EQ(Convert(u"31"), u"0x1F");
    EXPECT_EQ(Convert(u"10"), u"0xA");
    EXPECT_EQ(Convert(u"0xA"), u"10");
    EXPECT_EQ(Convert(u"0"), u"0x0");
    EXPECT_EQ(Convert(u"0x0"), u"0");
    EXPECT_EQ(Convert(u"0xFFFFFFFF"), u"4294967295");
    EXPECT_EQ(Convert(u"4294967295"), u"0x7FFFFFFF");
}

TEST(HexEditConvert, UnreadableTextGivesZero)
{
    // "ff" has no upper-case letter, so it is read as a decimal number, of which it holds none.
    EXPECT_EQ(Convert(u"ff"), u"0x0");
    EXPECT_EQ(Convert(u""), u"0x0");
    EXPECT_EQ(Convert(u"x12"), u"0x0");
    EXPECT_EQ(ConvertHexEditText(u"0x", true), u"0");
    EXPECT_EQ(ConvertHexEditText(u"G", true), u"0");
}

TEST(HexEditConvert, ReadingStopsAtTheFirstCharacterThatIsNoDigit)
{
    EXPECT_EQ(Convert(u"12abc"), u"0xC");
    EXPECT_EQ(Convert(u"1F2G3"), u"498");
    EXPECT_EQ(Convert(u"0x0x1F"), u"31");
    EXPECT_EQ(Convert(u"0X1F"), u"31");
    EXPECT_EQ(Convert(u" \t+7"), u"0x7");
    EXPECT_EQ(Convert(u"1 2"), u"0x1");
}

TEST(HexEditConvert, ValuesAre32BitsWide)
{
    EXPECT_EQ(Convert(u"-1"), u"0xFFFFFFFF");
    EXPECT_EQ(Convert(u"0xFFFFFFFF"), u"4294967295");
    EXPECT_EQ(ConvertHexEditText(u"-A", true), u"4294967286");
    EXPECT_EQ(Convert(u"2147483647"), u"0x7FFFFFFF");
    EXPECT_EQ(Convert(u"-2147483648"), u"0x80000000");
}

TEST(HexEditConvert, OutOfRangeNumbersSaturate)
{
    // Decimal input saturates at the nearest end of the signed 32-bit range.
    EXPECT_EQ(Convert(u"2147483648"), u"0x7FFFFFFF");
    EXPECT_EQ(Convert(u"99999999999"), u"0x7FFFFFFF");
    EXPECT_EQ(Convert(u"99999999999999999999999999999999"), u"0x7FFFFFFF");
    EXPECT_EQ(Convert(u"-2147483649"), u"0x80000000");
    EXPECT_EQ(Convert(u"-99999999999999999999999999999999"), u"0x80000000");
    // Hexadecimal input beyond 32 bits saturates at the largest unsigned value.
    EXPECT_EQ(Convert(u"0x100000000"), u"4294967295");
    EXPECT_EQ(Convert(u"FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF"), u"4294967295");
    EXPECT_EQ(ConvertHexEditText(u"-100000000", true), u"4294967295");
}

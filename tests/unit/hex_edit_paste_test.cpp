// The hex edit control's paste check and its clipboard normalisation.
#include <gtest/gtest.h>

#include "controls/hex_edit_paste.h"

namespace
{

bool Accepts(std::u16string_view clip, const std::u16string& text, int start, int end)
{
    return IsPasteAcceptable(clip, {text, start, end});
}

} // namespace

TEST(HexEditPaste, PastedPrefixOnlyAtTheStart)
{
    EXPECT_TRUE(Accepts(u"0x12", u"", 0, 0));
    EXPECT_TRUE(Accepts(u"0X12", u"34", 0, 0));
    EXPECT_TRUE(Accepts(u"0x12", u"34", 0, 2));
    EXPECT_FALSE(Accepts(u"0x12", u"34", 1, 1));
    EXPECT_FALSE(Accepts(u"0x12", u"34", 2, 2));
    // Over a prefixed text the pasted prefix must replace the old one whole.
    EXPECT_TRUE(Accepts(u"0x12", u"0x5", 0, 2));
    EXPECT_TRUE(Accepts(u"0x12", u"0x5", 0, 3));
    EXPECT_FALSE(Accepts(u"0x12", u"0x5", 0, 1));
    EXPECT_FALSE(Accepts(u"0x12", u"0x5", 2, 3));
    EXPECT_FALSE(Accepts(u"0x12", u"0x5", 3, 3));
}

TEST(HexEditPaste, PastedXOnlyRightBehindALeadingZero)
{
    EXPECT_TRUE(Accepts(u"x12", u"0", 1, 1));
    EXPECT_TRUE(Accepts(u"X12", u"05", 1, 2));
    EXPECT_FALSE(Accepts(u"x12", u"0", 0, 0));
    EXPECT_FALSE(Accepts(u"x12", u"1", 1, 1));
    EXPECT_FALSE(Accepts(u"x12", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"x12", u"00", 2, 2));
    // In a prefixed text only a selection reaching past position 1 may take it.
    EXPECT_FALSE(Accepts(u"x12", u"0x5", 1, 1));
    EXPECT_TRUE(Accepts(u"x12", u"0x5", 1, 2));
}

TEST(HexEditPaste, NothingGoesInFrontOfOrInsideAPrefix)
{
    for (auto clip : {u"", u"1", u"0x1"}) {
        EXPECT_FALSE(Accepts(clip, u"0x1F", 0, 0));
        EXPECT_FALSE(Accepts(clip, u"0x1F", 0, 1));
        EXPECT_FALSE(Accepts(clip, u"0x1F", 1, 1));
    }
    EXPECT_TRUE(Accepts(u"1", u"0x1F", 2, 2));
    EXPECT_TRUE(Accepts(u"", u"0x1F", 4, 4));
}

TEST(HexEditPaste, OnlyHexDigitsFollow)
{
    EXPECT_TRUE(Accepts(u"", u"", 0, 0));
    EXPECT_TRUE(Accepts(u"0123456789ABCDEFabcdef", u"", 0, 0));
    EXPECT_TRUE(Accepts(u"ff", u"12", 2, 2));
    EXPECT_FALSE(Accepts(u"12G", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"12 ", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"1x2", u"", 0, 0));
    EXPECT_TRUE(Accepts(u"0x", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"0x0x1", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"-1", u"", 0, 0));
    EXPECT_FALSE(Accepts(u"12\u0661", u"", 0, 0));
}

TEST(HexEditPaste, TextEndsAtItsTerminatingZero)
{
    EXPECT_TRUE(Accepts(std::u16string_view(u"12\0G", 4), u"", 0, 0));
    EXPECT_TRUE(Accepts(std::u16string_view(u"\0G", 2), u"", 0, 0));
}

TEST(HexEditPaste, ClipboardStateDecidesBeforeTheText)
{
    const HexEditField field{u"12", 2, 2};
    EXPECT_FALSE(ClipboardAllowsPaste({false, true, u"3"}, field));
    EXPECT_FALSE(ClipboardAllowsPaste({false, false, {}}, field));
    EXPECT_TRUE(ClipboardAllowsPaste({true, false, {}}, field));
    EXPECT_TRUE(ClipboardAllowsPaste({true, true, u"3"}, field));
    EXPECT_FALSE(ClipboardAllowsPaste({true, true, u"G"}, field));
}

TEST(HexEditPaste, NormalisationUpperCasesLettersButLowerCasesX)
{
    EXPECT_EQ(NormaliseClipboardText(u"0X1f"), u"0x1F");
    EXPECT_EQ(NormaliseClipboardText(u"xXabcz"), u"xxABCZ");
    EXPECT_EQ(NormaliseClipboardText(u"09 -_\u00e4\u00df"), u"09 -_\u00e4\u00df");
    EXPECT_EQ(NormaliseClipboardText(u""), u"");
}

// The hex edit control's keyboard filter: what typing, Delete, Backspace, Ctrl+X and the paste keys do.
#include <gtest/gtest.h>

#include "controls/hex_edit_filter.h"

namespace
{

using Result = HexEditFilterResult;

Result Type(char32_t ch, const std::u16string& text, int start, int end)
{
    return FilterHexEditKey({HexEditKey::Char, static_cast<unsigned>(ch), false, false}, {text, start, end});
}

Result Press(unsigned vk, bool ctrl, const std::u16string& text, int start, int end, bool shift = false)
{
    return FilterHexEditKey({HexEditKey::KeyDown, vk, ctrl, shift}, {text, start, end});
}

bool Swallowed(const Result& r)
{
    return r.action == Result::Swallow;
}

bool PassedUnchanged(const Result& r)
{
    return r.action == Result::Pass;
}

bool Pasted(const Result& r)
{
    return r.action == Result::Paste;
}

bool PassedAs(const Result& r, char16_t ch)
{
    return r.action == Result::PassReplaced && r.character == ch;
}

const unsigned kBackspace = 8;

} // namespace

TEST(HexEditFilter, EmptyFieldTakesEveryDigitAndUpperCasesLetters)
{
    for (char ch : std::string("0123456789ABCDEF"))
        EXPECT_TRUE(PassedUnchanged(Type(ch, u"", 0, 0))) << ch;
    for (char ch : std::string("abcdef"))
        EXPECT_TRUE(PassedAs(Type(ch, u"", 0, 0), static_cast<char16_t>(ch - 'a' + 'A'))) << ch;
    EXPECT_TRUE(PassedAs(Type('b', u"12", 1, 1), u'B'));
}

TEST(HexEditFilter, RefusesEveryOtherPrintableCharacter)
{
    for (char ch : std::string("xXgG- .zZ~"))
        EXPECT_TRUE(Swallowed(Type(ch, u"", 0, 0))) << ch;
    EXPECT_TRUE(Swallowed(Type(0x7F, u"12", 2, 2)));
    EXPECT_TRUE(Swallowed(Type(U'\u00e4', u"12", 2, 2)));
    // A code beyond 16 bits whose low half is '0' must not slip through as '0'.
    EXPECT_TRUE(Swallowed(Type(0x10030, u"12", 2, 2)));
}

TEST(HexEditFilter, XBehindALeadingZeroBecomesTheLowerCasePrefix)
{
    EXPECT_TRUE(PassedAs(Type('X', u"0", 1, 1), u'x'));
    EXPECT_TRUE(PassedAs(Type('x', u"0", 1, 1), u'x'));
    EXPECT_TRUE(PassedAs(Type('X', u"05", 1, 1), u'x'));
    EXPECT_TRUE(Swallowed(Type('x', u"0", 0, 0)));
    EXPECT_TRUE(Swallowed(Type('x', u"1", 1, 1)));
    EXPECT_TRUE(Swallowed(Type('x', u"00", 2, 2)));
}

TEST(HexEditFilter, NothingIsTypedInFrontOfOrInsideThePrefix)
{
    for (int caret : {0, 1}) {
        for (char ch : std::string("05Aax "))
            EXPECT_TRUE(Swallowed(Type(ch, u"0x1F", caret, caret))) << caret << ch;
    }
    EXPECT_TRUE(Swallowed(Type('5', u"0x1F", 0, 1)));
    // Behind the prefix the digit rules apply, and a second 'x' is refused.
    EXPECT_TRUE(PassedUnchanged(Type('5', u"0x1F", 2, 2)));
    EXPECT_TRUE(PassedAs(Type('c', u"0x1F", 4, 4), u'C'));
    EXPECT_TRUE(Swallowed(Type('x', u"0x1F", 2, 2)));
}

TEST(HexEditFilter, ASelectionReachingPastThePrefixMayBeTypedOver)
{
    EXPECT_TRUE(PassedUnchanged(Type('A', u"0x1F", 0, 2)));
    EXPECT_TRUE(PassedAs(Type('a', u"0x1F", 0, 4), u'A'));
    EXPECT_TRUE(Swallowed(Type('g', u"0x1F", 0, 2)));
    // Replacing "x1" by 'x' keeps a prefix; an 'x' at the start would not be one.
    EXPECT_TRUE(PassedAs(Type('X', u"0x1F", 1, 3), u'x'));
    EXPECT_TRUE(Swallowed(Type('x', u"0x1F", 0, 2)));
}

TEST(HexEditFilter, PrefixTestLooksAtTheSecondCharacterOnly)
{
    EXPECT_TRUE(Swallowed(Type('5', u"1x2", 1, 1)));
    EXPECT_TRUE(Swallowed(Type('5', u"0X2", 0, 0)));
    EXPECT_TRUE(PassedUnchanged(Type('5', u"x2", 1, 1)));
}

TEST(HexEditFilter, TheZeroOfThePrefixCannotBeDeletedAlone)
{
    EXPECT_TRUE(Swallowed(Press(kVirtualKeyDelete, false, u"0x1F", 0, 0)));
    EXPECT_TRUE(Swallowed(Press(kVirtualKeyDelete, false, u"0x1F", 0, 1)));
    EXPECT_TRUE(Swallowed(Press(kVirtualKeyDelete, true, u"0x1F", 0, 0)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyDelete, false, u"0x1F", 0, 2)));
    // Delete at 1 removes the 'x', which is allowed: "0x1F" becomes "01F".
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyDelete, false, u"0x1F", 1, 1)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyDelete, false, u"01F", 0, 0)));

    EXPECT_TRUE(Swallowed(Type(kBackspace, u"0x1F", 1, 1)));
    EXPECT_TRUE(Swallowed(Type(kBackspace, u"0x1F", 0, 1)));
    EXPECT_TRUE(PassedUnchanged(Type(kBackspace, u"0x1F", 2, 2)));
    EXPECT_TRUE(PassedUnchanged(Type(kBackspace, u"0x1F", 0, 2)));
    EXPECT_TRUE(PassedUnchanged(Type(kBackspace, u"1x1F", 1, 1)));
    EXPECT_TRUE(PassedUnchanged(Type(kBackspace, u"0", 1, 1)));
    EXPECT_TRUE(PassedUnchanged(Type(kBackspace, u"", 0, 0)));
}

TEST(HexEditFilter, CtrlXRefusedOnlyForThePrefixZeroAlone)
{
    EXPECT_TRUE(Swallowed(Press(kVirtualKeyX, true, u"0x1F", 0, 1)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyX, false, u"0x1F", 0, 1)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyX, true, u"0x1F", 0, 2)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyX, true, u"0x1F", 0, 0)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyX, true, u"01F", 0, 1)));
}

TEST(HexEditFilter, EveryPasteKeyGoesThroughThePasteMessage)
{
    // The paste check itself sits behind WM_PASTE (ClipboardAllowsPaste), so that Shift+Insert
    // and a posted Ctrl+V character cannot paste around it.
    for (const std::u16string text : {u"", u"0x1F"}) {
        EXPECT_TRUE(Pasted(Press(kVirtualKeyV, true, text, 0, 0)));
        EXPECT_TRUE(Pasted(Press(kVirtualKeyV, true, text, 0, 0, true)));
        EXPECT_TRUE(Pasted(Press(kVirtualKeyInsert, false, text, 0, 0, true)));
        EXPECT_TRUE(Pasted(Type(kCtrlVCharacter, text, 0, 0)));
    }
    // Ctrl+Insert copies, Insert alone toggles nothing in an edit control.
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyInsert, true, u"0x1F", 0, 1)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyInsert, true, u"0x1F", 0, 1, true)));
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyInsert, false, u"0x1F", 0, 1)));
}

TEST(HexEditFilter, OtherKeysAndMessagesPass)
{
    EXPECT_TRUE(PassedUnchanged(Press(kVirtualKeyV, false, u"0x1F", 0, 0)));
    for (unsigned vk : {0x08u, 0x25u, 0x41u, 0x43u, 0x5Au})
        EXPECT_TRUE(PassedUnchanged(Press(vk, true, u"0x1F", 0, 1))) << vk;
    // Control characters such as Ctrl+A, Ctrl+C and Ctrl+X reach the edit control.
    for (unsigned ch : {0x01u, 0x03u, 0x18u, 0x1Au})
        EXPECT_TRUE(PassedUnchanged(Type(ch, u"0x1F", 0, 1))) << ch;
    EXPECT_TRUE(PassedUnchanged(FilterHexEditKey({HexEditKey::Other, 'g', false, false}, {u"0x1F", 0, 0})));
}

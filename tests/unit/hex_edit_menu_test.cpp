// The hex edit control's context menu: its items and when each is greyed.
#include <gtest/gtest.h>

#include <map>

#include "controls/hex_edit_menu.h"

namespace
{

ClipboardView Offering(std::u16string text)
{
    return {true, true, std::move(text)};
}

// Greyed state by command id (separators left out).
std::map<unsigned, bool> Greying(
    const HexEditField& field, HexEditMenuContext context = {true, false},
    const ClipboardReader& clipboard = [] { return Offering(u"1"); })
{
    std::map<unsigned, bool> greyed;
    for (const HexEditMenuItem& item : BuildHexEditMenu(field, context, clipboard)) {
        if (item.id != 0)
            greyed[item.id] = item.greyed;
    }
    return greyed;
}

} // namespace

TEST(HexEditMenu, ItemsIdsAndTextsInOrder)
{
    const auto items = BuildHexEditMenu({u"12", 0, 1}, {true, false}, [] { return Offering(u"1"); });
    const std::vector<std::pair<unsigned, std::u16string_view>> expected = {
        {199, u"&Undo"},   {0, u""}, {768, u"Cu&t"},           {769, u"&Copy"}, {770, u"&Paste"},
        {771, u"&Delete"}, {0, u""}, {0x0B00, u"Select &All"}, {0, u""},        {0x0B01, u"Con&vert"},
    };
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].id, expected[i].first) << i;
        EXPECT_EQ(items[i].text, expected[i].second) << i;
        EXPECT_FALSE(items[i].greyed) << i;
    }
    EXPECT_EQ(WM_HEXEDIT_CONVERT, ID_HEXEDIT_CONVERT);
}

TEST(HexEditMenu, CutCopyDeleteNeedASelectionAndCutDeleteSpareThePrefixZero)
{
    auto g = Greying({u"0x1F", 2, 2});
    EXPECT_TRUE(g[kHexEditCut] && g[kHexEditCopy] && g[kHexEditClear]);

    g = Greying({u"0x1F", 0, 1});
    EXPECT_TRUE(g[kHexEditCut]);
    EXPECT_TRUE(g[kHexEditClear]);
    EXPECT_FALSE(g[kHexEditCopy]);

    g = Greying({u"0x1F", 0, 2});
    EXPECT_FALSE(g[kHexEditCut] || g[kHexEditCopy] || g[kHexEditClear]);
    g = Greying({u"01F", 0, 1});
    EXPECT_FALSE(g[kHexEditCut] || g[kHexEditClear]);
}

TEST(HexEditMenu, ReadOnlyGreysEverythingThatChangesTheTextWithoutReadingTheClipboard)
{
    const auto g = Greying({u"12", 0, 1}, {true, true}, [] {
        ADD_FAILURE() << "clipboard read for a read-only field";
        return Offering(u"1");
    });
    EXPECT_TRUE(g.at(kHexEditUndo) && g.at(kHexEditCut) && g.at(kHexEditPaste) && g.at(kHexEditClear));
    EXPECT_FALSE(g.at(kHexEditCopy) || g.at(ID_HEXEDIT_SELECTALL) || g.at(ID_HEXEDIT_CONVERT));
}

TEST(HexEditMenu, UndoFollowsTheControl)
{
    EXPECT_TRUE(Greying({u"12", 0, 0}, {false, false})[kHexEditUndo]);
    EXPECT_FALSE(Greying({u"12", 0, 0}, {true, false})[kHexEditUndo]);
}

TEST(HexEditMenu, PasteFollowsTheClipboardAndThePasteCheck)
{
    const HexEditField field{u"12", 2, 2};
    EXPECT_TRUE(Greying(field, {}, [] { return ClipboardView{}; })[kHexEditPaste]);
    EXPECT_TRUE(Greying(field, {}, [] { return Offering(u"12G"); })[kHexEditPaste]);
    EXPECT_TRUE(Greying(field, {}, [] { return Offering(u"0x12"); })[kHexEditPaste]);
    EXPECT_FALSE(Greying(field, {}, [] { return Offering(u"ab"); })[kHexEditPaste]);
    // An unopenable clipboard greys Paste only for want of text.
    EXPECT_FALSE(Greying(field, {}, [] { return ClipboardView{true, false, {}}; })[kHexEditPaste]);
}

TEST(HexEditMenu, SelectAllOnlyWhenThereIsMoreToSelect)
{
    EXPECT_TRUE(Greying({u"", 0, 0})[ID_HEXEDIT_SELECTALL]);
    EXPECT_TRUE(Greying({u"0x1F", 0, 4})[ID_HEXEDIT_SELECTALL]);
    EXPECT_FALSE(Greying({u"0x1F", 0, 3})[ID_HEXEDIT_SELECTALL]);
    EXPECT_FALSE(Greying({u"0x1F", 1, 4})[ID_HEXEDIT_SELECTALL]);
}

TEST(HexEditMenu, ConvertNeedsMoreThanAnEmptyFieldOrABarePrefix)
{
    EXPECT_TRUE(Greying({u"", 0, 0})[ID_HEXEDIT_CONVERT]);
    EXPECT_TRUE(Greying({u"0x", 2, 2})[ID_HEXEDIT_CONVERT]);
    EXPECT_FALSE(Greying({u"0x0", 3, 3})[ID_HEXEDIT_CONVERT]);
    EXPECT_FALSE(Greying({u"0X", 2, 2})[ID_HEXEDIT_CONVERT]);
    EXPECT_FALSE(Greying({u"0", 1, 1})[ID_HEXEDIT_CONVERT]);
}

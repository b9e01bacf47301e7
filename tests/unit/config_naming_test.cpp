// The identifier fields' rules and the destination path's own-identifier suffix and split.
#include <gtest/gtest.h>

#include "config/destination_path.h"
#include "config/identifier_rules.h"

TEST(EditorIdentifierRules, EditedOnesAreCheckedExactlyLoadedOnesPassUnchanged)
{
    struct Case {
        std::u16string id, loaded;
        bool hasLength, validEdited, storable;
    };
    const Case cases[] = {
        {u"12AB34CD", u"00000000", true, true, true},
        {u"0000FFFF", u"00000000", true, true, true},
        {u"XXXXXXXX", u"00000000", true, true, true},
        {u"XX12XX34", u"00000000", true, true, true},
        {u"0X123456", u"00000000", true, false, false},
        {u"1X2X3X4X", u"00000000", true, false, false},
        {u"12345XX6", u"00000000", true, false, false},
        {u"12ab34cd", u"00000000", true, false, false},
        {u"1234567G", u"00000000", true, false, false},
        {u"1234567", u"00000000", false, false, false},
        {u"123456789", u"00000000", false, false, false},
        {u"", u"", false, false, false},
        // What the last load put into the field goes back unchanged, whatever its characters.
        {u"123a5678", u"123a5678", true, false, true},
        {u"0X123456", u"0X123456", true, false, true},
        {u"123a5678", u"123A5678", true, false, false},
        {u"1234567", u"1234567", false, false, false},
    };
    for (const Case& c : cases) {
        const std::string id(c.id.begin(), c.id.end());
        EXPECT_EQ(HasIdentifierLength(c.id), c.hasLength) << id;
        EXPECT_EQ(IsValidEditedIdentifier(c.id), c.validEdited) << id;
        EXPECT_EQ(IsStorableIdentifier(c.id, c.loaded), c.storable) << id;
    }
}

TEST(EditorIdentifierRules, MessageNamesTheField)
{
    EXPECT_EQ(IdentifierLengthMessage(kOwnIdentifier),
              u"Die Eigene Kennung muss aus genau 8 Zeichen (0-9,A-F) bestehen!");
    EXPECT_EQ(IdentifierLengthMessage(0), u"Die Schnellwechselkennung 0 muss aus genau 8 Zeichen (0-9,A-F) bestehen!");
    EXPECT_EQ(IdentifierLengthMessage(3), u"Die Schnellwechselkennung 3 muss aus genau 8 Zeichen (0-9,A-F) bestehen!");
}

TEST(EditorIdentifierRules, FirstUnstorableIsOwnThenQuickInOrder)
{
    EditorSettings loaded;
    loaded.quickId[5] = u"ab12cd34";
    EditorSettings settings = loaded;
    EXPECT_EQ(FirstUnstorableIdentifier(settings, loaded), std::nullopt);
    settings.quickId[7] = u"1234";
    settings.quickId[2] = u"x2345678";
    EXPECT_EQ(FirstUnstorableIdentifier(settings, loaded), 2);
    settings.ownId = u"";
    EXPECT_EQ(FirstUnstorableIdentifier(settings, loaded), kOwnIdentifier);
}

TEST(EditorDestination, ComposeRemovesAnySuffixThenAppendsTheOwnIdentifier)
{
    struct Case {
        std::u16string path;
        bool append;
        std::u16string expected;
    };
    const Case cases[] = {
        {u"D:\\Daten\\wagen.q4k", true, u"D:\\Daten\\wagen_12AB34CD.q4k"},
        {u"D:\\Daten\\wagen_12AB34CD.q4k", false, u"D:\\Daten\\wagen.q4k"},
        {u"D:\\Daten\\wagen_0000FFFF.q4k", true, u"D:\\Daten\\wagen_12AB34CD.q4k"},
        {u"D:\\Daten\\fremd_DEADBEEF.q4k", false, u"D:\\Daten\\fremd.q4k"},
        {u"D:\\Daten\\wagen_12ab34cd.q4k", true, u"D:\\Daten\\wagen_12ab34cd_12AB34CD.q4k"},
        {u"D:\\Daten\\wagen_12AB34Cx.q4k", true, u"D:\\Daten\\wagen_12AB34Cx_12AB34CD.q4k"},
        {u"_DEADBEEF.q4k", false, u".q4k"},
        {u"wagen.q4k", true, u"wagen_12AB34CD.q4k"},
        {u".q4k", true, u"_12AB34CD.q4k"},
        {u"abc", true, u"abc"},
        {u"", true, u""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ComposeDestinationPath(c.path, c.append, u"12AB34CD"), c.expected);
}

TEST(EditorDestination, SplitsAtTheLastBackslash)
{
    const std::pair<std::u16string, PathParts> cases[] = {
        {u"D:\\Daten\\wagen.q4k", {u"D:\\Daten\\", u"wagen.q4k"}},
        {u"D:\\Daten\\", {u"D:\\Daten\\", u""}},
        {u"wagen.q4k", {u"", u"wagen.q4k"}},
    };
    for (const auto& [path, parts] : cases) {
        const PathParts split = SplitPath(path);
        EXPECT_EQ(split.folder, parts.folder);
        EXPECT_EQ(split.fileName, parts.fileName);
    }
}

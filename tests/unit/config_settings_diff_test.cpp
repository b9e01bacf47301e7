// Typed settings, settings compared field by field and records compared beyond the settings.
#include <gtest/gtest.h>

#include "config/config_text.h"
#include "config/setting_input.h"
#include "config/settings_diff.h"
#include "tests/unit/transfer_test_support.h"

TEST(SettingInput, TypedNameIsAtMostTenLatin1Characters)
{
    const struct {
        std::u16string name;
        bool ok;
    } cases[] = {{u"", true},
                 {u"KTW B\u00e4r 10", true},
                 {u"12345678901", false},
                 {u"\u20ac", false},
                 {std::u16string(1, u'\0'), false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsTypedName(c.name), c.ok);
}

namespace
{
EditorSettings GoldenSettings()
{
    return ReadSettings(ConfigTextFromFile(GoldenFile())).settings;
}
} // namespace

TEST(SettingsDiff, EachChangedFieldIsNamedOnceInTheEditorsOrder)
{
    using Field = SettingDifference::Field;
    const EditorSettings a = GoldenSettings();
    EditorSettings b = a;
    b.masterSlave = 1;
    b.quickId[3] = u"12345678";
    b.alias[1] = u"KTW";
    b.readGroups = !a.readGroups;
    const auto differences = CompareSettings(a, b);
    ASSERT_EQ(differences.size(), 4u);
    EXPECT_EQ(differences[0].field, Field::Role);
    EXPECT_EQ(differences[1].field, Field::QuickId);
    EXPECT_EQ(differences[1].index, 3);
    EXPECT_EQ(differences[2].field, Field::Name);
    EXPECT_EQ(differences[2].index, 1);
    EXPECT_EQ(differences[3].field, Field::ReadGroups);
}

TEST(SettingsDiff, TetraPresenceHidesTheTetraOptions)
{
    const EditorSettings a = GoldenSettings();
    EditorSettings b = a;
    b.hasTetra = false;
    b.autoTransfer = !a.autoTransfer;
    const auto differences = CompareSettings(a, b);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].field, SettingDifference::Field::Tetra);
}

TEST(SettingsDiff, ChangedSettingsDoNotCountAsRecordDifferences)
{
    const std::string text = ConfigTextFromFile(GoldenFile());
    const EditorSettings a = GoldenSettings();
    EditorSettings b = a;
    b.ownId = u"12AB34CD";
    b.alias[1] = u"KTW B\u00e4r 10";
    const std::string patched = WriteSettings(text, b).text;
    EXPECT_TRUE(CompareBeyondSettings(text, a, patched, b).empty());

    std::string other = patched;
    other.replace(FindRecord(other, "$P2E").value() + 6, 2, "77");
    const auto differences = CompareBeyondSettings(text, a, other, b);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].address, "2E");
    EXPECT_EQ(differences[0].dataBytes, std::vector<int>{1});
}

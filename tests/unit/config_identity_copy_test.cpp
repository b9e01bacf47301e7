// A vehicle's identity carried onto a template: every setting, spare pairs, and the TETRA rule.
#include <gtest/gtest.h>

#include "config/identity_copy.h"
#include "config/settings_diff.h"
#include "tests/unit/transfer_test_support.h"

namespace
{

std::string Patched(const std::string& text, const EditorSettings& settings)
{
    const SettingsWritten written = WriteSettings(text, settings);
    EXPECT_EQ(written.error, ConfigTextError::None);
    return written.text;
}

EditorSettings Read(const std::string& text)
{
    const SettingsRead read = ReadSettings(text);
    EXPECT_EQ(read.error, ConfigTextError::None);
    return read.settings;
}

// The golden configuration with its "$PBC" saying "no TETRA settings".
std::string WithoutTetra(std::string text)
{
    text.replace(text.find("$PBC") + 6, 2, "00");
    return text;
}

// A vehicle unlike the golden one in every setting, with a spare identifier as a backup holds it.
EditorSettings Vehicle(const std::string& text)
{
    EditorSettings s = Read(text);
    s.masterSlave = 1 - s.masterSlave;
    s.ownId = u"12AB34CD";
    s.quickId[2] = u"XXXXXXXX";
    s.quickId[3] = u"12345678";
    s.alias[1] = u"KTW B\u00e4r 10";
    s.autoTransfer = !s.autoTransfer;
    s.readGroups = !s.readGroups;
    return s;
}

} // namespace

TEST(IdentityCopy, WritesTheVehiclesSettingsAndLeavesTheRestOfTheTemplate)
{
    std::string templ = GoldenFile();
    templ.replace(templ.find("$P20") + 4, 4, "1234"); // the new base configuration
    const EditorSettings vehicle = Vehicle(GoldenFile());
    const IdentityPatch patch = PatchIdentity(templ, Patched(GoldenFile(), vehicle));
    ASSERT_EQ(patch.written.error, ConfigTextError::None);
    EXPECT_TRUE(patch.copy.tetraCopied);
    EXPECT_TRUE(CompareSettings(Read(patch.written.text), vehicle).empty());
    EXPECT_EQ(Patched(patch.written.text, Read(templ)), templ);
}

TEST(IdentityCopy, TetraOptionsOnlyWhenBothHoldTetraSettings)
{
    const std::string tetra = GoldenFile();
    const std::string none = WithoutTetra(GoldenFile());
    const struct {
        const std::string& templ;
        const std::string& vehicle;
        bool copied;
    } cases[] = {{tetra, tetra, true}, {tetra, none, false}, {none, tetra, false}, {none, none, false}};
    for (const auto& c : cases) {
        const EditorSettings templ = Read(c.templ);
        const IdentityCopy copy = CopyIdentity(templ, Vehicle(c.vehicle));
        EXPECT_EQ(copy.tetraCopied, c.copied);
        EXPECT_EQ(copy.settings.hasTetra, templ.hasTetra);
        EXPECT_EQ(copy.settings.autoTransfer, c.copied ? !templ.autoTransfer : templ.autoTransfer);
        EXPECT_EQ(copy.settings.readGroups, c.copied ? !templ.readGroups : templ.readGroups);
        EXPECT_EQ(copy.settings.ownId, u"12AB34CD");
    }
}

TEST(IdentityCopy, AnUnreadableVehicleIsTheLoadsError)
{
    const IdentityPatch patch = PatchIdentity(GoldenFile(), GoldenFile().substr(0, 5 * 133));
    EXPECT_EQ(patch.written.error, ConfigTextError::Unsuitable);
}

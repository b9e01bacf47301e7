// The editor's settings in a configuration text: positions, codings, checks and the save round trip.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "config/config_text.h"
#include "config/editor_settings.h"
#include "config/identifier_rules.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/config_record.h"

namespace
{

// Records with every data character "0", in the given order; "BC" thus holds no TETRA settings.
std::string Records(const std::vector<std::string>& addresses)
{
    std::string text;
    for (const std::string& address : addresses)
        text += FileRecord(address, std::string(128, '0'));
    return text;
}

std::string Base()
{
    return Records({"06", "07", "08", "09", "BC", "80"});
}

// The text with `chars` at position pos of the record tagged `tag`.
std::string With(std::string text, std::string_view tag, std::size_t pos, std::string_view chars)
{
    text.replace(text.find(tag) + pos, chars.size(), chars);
    return text;
}

std::string At(const std::string& text, std::string_view tag, std::size_t pos, std::size_t len)
{
    return text.substr(text.find(tag) + pos, len);
}

EditorSettings Read(const std::string& text)
{
    const SettingsRead read = ReadSettings(text);
    EXPECT_EQ(read.error, ConfigTextError::None);
    return read.settings;
}

std::string Write(const std::string& text, const EditorSettings& settings)
{
    const SettingsWritten written = WriteSettings(text, settings);
    EXPECT_EQ(written.error, ConfigTextError::None);
    EXPECT_EQ(written.text.size(), text.size());
    return written.text;
}

// `count` copies of one pair.
std::string Pairs(const std::string& pair, std::size_t count)
{
    std::string pairs;
    for (std::size_t i = 0; i < count; ++i)
        pairs += pair;
    return pairs;
}

} // namespace

TEST(EditorConfigText, KeepsCompleteRecordsAndFindsTheFirstTag)
{
    const std::string text = Base() + Records({"07"});
    EXPECT_EQ(ConfigTextFromFile(text + std::string(50, '0')), text);
    EXPECT_EQ(FindRecord(text, "$P07"), CONFIG_RECORD_LEN);
    EXPECT_EQ(FindRecord(text, "$P99"), std::nullopt);
}

TEST(EditorSettings, IdentifiersMoveCharactersInRecordOrder)
{
    const std::pair<std::string, std::u16string> cases[] = {
        {"78563412", u"12345678"}, {"0A0B0C0D", u"0D0C0B0A"}, {"XXXXXXXX", u"XXXXXXXX"}};
    for (const auto& [stored, shown] : cases) {
        const EditorSettings read = Read(With(With(Base(), "$P07", 12 + 8 * 3, stored), "$P09", 68, stored));
        EXPECT_EQ(read.quickId[3], shown);
        EXPECT_EQ(read.ownId, shown);
        EditorSettings edited;
        edited.quickId[9] = edited.ownId = shown;
        const std::string written = Write(Base(), edited);
        EXPECT_EQ(At(written, "$P07", 12 + 8 * 9, 8), stored);
        EXPECT_EQ(At(written, "$P09", 68, 8), stored);
    }
}

TEST(EditorSettings, NamesAreWrittenAsPairsThenZeroFilled)
{
    const std::pair<std::u16string, std::string> cases[] = {
        {u"", Pairs("00", 11)},
        {u"ABC", "414243" + Pairs("00", 8)},
        {u"ABCDEFGHIJ", "4142434445464748494A00"},
        {u"ABCDEFGHIJK", "4142434445464748494A4B"},
        {u"ABCDEFGHIJKL", "4142434445464748494A4B"},
        {u"\u00E4\u20AC\x01\x10", "E4FC0110" + Pairs("00", 7)},
    };
    for (const auto& [name, pairs] : cases) {
        EditorSettings settings;
        settings.alias[0] = name;
        EXPECT_EQ(At(Write(Base(), settings), "$P07", 92, 22), pairs);
    }
}

TEST(EditorSettings, NamesAreReadBeforeTheFirstZeroByte)
{
    const std::pair<std::string, std::u16string> cases[] = {
        {"E4", u"\u00E4"}, {"00414243", u""},   {"XX41", u""},
        {"4X41", u"@A"},   {"41420043", u"AB"}, {"4142434445464748494A4B", u"ABCDEFGHIJK"},
    };
    for (const auto& [pairs, name] : cases)
        EXPECT_EQ(Read(With(Base(), "$P07", 92, pairs)).alias[0], name) << pairs;
}

TEST(EditorSettings, NameAreaRunsOnIntoTheRecordsThatFollow)
{
    EditorSettings settings;
    for (std::size_t k = 0; k < kQuickIdCount; ++k)
        settings.alias[k] = std::u16string(11, static_cast<char16_t>(u'a' + k)); // pairs "61" .. "6A"
    settings.ownId = u"12345678";
    const std::string written = Write(Base(), settings);

    struct Field {
        const char* tag;
        std::size_t pos;
        std::string chars;
    };
    const Field fields[] = {
        {"$P07", 92, Pairs("61", 11)}, {"$P07", 114, Pairs("62", 9)}, {"$P08", 4, Pairs("62", 2)},
        {"$P08", 8, Pairs("63", 11)},  {"$P08", 30, Pairs("64", 11)}, {"$P08", 52, Pairs("65", 11)},
        {"$P08", 74, Pairs("66", 11)}, {"$P08", 96, Pairs("67", 11)}, {"$P08", 118, Pairs("68", 7)},
        {"$P09", 4, Pairs("68", 4)},   {"$P09", 12, Pairs("69", 11)}, {"$P09", 34, Pairs("6A", 11)},
        {"$P09", 56, Pairs("00", 6)},  {"$P09", 68, "78563412"},
    };
    for (const Field& f : fields)
        EXPECT_EQ(At(written, f.tag, f.pos, f.chars.size()), f.chars) << f.tag << " " << f.pos;
    const EditorSettings read = Read(written);
    EXPECT_EQ(read.alias, settings.alias);
    EXPECT_EQ(read.ownId, settings.ownId);
}

TEST(EditorSettings, NameAreaTakesWhicheverRecordFollows)
{
    EditorSettings settings;
    settings.alias[1] = u"ABCDEFGHIJ";
    settings.ownId = u"12345678";
    const std::string written = Write(Records({"06", "07", "50", "08"}), settings);
    EXPECT_EQ(At(written, "$P50", 4, 4), "4A00");
    EXPECT_EQ(At(written, "$P08", 68, 8), "78563412"); // 20 pairs in $P07, 64 in $P50, 26 in $P08
}

TEST(EditorSettings, TenCharacterNameSplitsAtTheRecordBoundary)
{
    EditorSettings settings = Read(Base());
    settings.alias[1] = u"ABCDEFGHIJ";
    const std::string expected = With(With(Base(), "$P07", 114, "414243444546474849"), "$P08", 4, "4A00");
    EXPECT_EQ(Write(Base(), settings), expected);
}

TEST(EditorSettings, RoleByteZeroIsSlaveAndIsWrittenNormalised)
{
    struct Case {
        const char* stored;
        int masterSlave;
        const char* written;
    };
    const Case cases[] = {{"02", 0, "01"}, {"01", 0, "01"}, {"10", 0, "01"},
                          {"00", 1, "00"}, {"XX", 1, "00"}, {"0X", 1, "00"}};
    for (const Case& c : cases) {
        const std::string text = With(Base(), "$P06", 30, c.stored);
        const EditorSettings read = Read(text);
        EXPECT_EQ(read.masterSlave, c.masterSlave) << c.stored;
        EXPECT_EQ(At(Write(text, read), "$P06", 30, 2), c.written) << c.stored;
    }
}

TEST(EditorSettings, TetraSettingsAreReadFromPbcAndP80)
{
    struct Case {
        const char* marker;
        const char* groups;
        bool hasTetra, autoTransfer, readGroups;
    };
    const Case cases[] = {
        {"A2", "31", true, true, true},    {"A1", "41", true, false, true},   {"A1", "30", true, false, false},
        {"A1", "00", true, false, false},  {"A1", "01", true, false, false},  {"A0", "31", false, false, false},
        {"B1", "31", false, false, false}, {"XX", "31", false, false, false},
    };
    for (const Case& c : cases) {
        const EditorSettings read = Read(With(With(Base(), "$PBC", 6, c.marker), "$P80", 58, c.groups));
        EXPECT_EQ(read.hasTetra, c.hasTetra) << c.marker << c.groups;
        EXPECT_EQ(read.autoTransfer, c.autoTransfer) << c.marker << c.groups;
        EXPECT_EQ(read.readGroups, c.readGroups) << c.marker << c.groups;
    }
}

TEST(EditorSettings, TetraSettingsAreWrittenOnlyWhenPresent)
{
    const std::string tetra = With(Base(), "$PBC", 6, "A1");
    EditorSettings settings = Read(tetra);
    settings.autoTransfer = settings.readGroups = true;
    const std::string on = Write(tetra, settings);
    EXPECT_EQ(At(on, "$PBC", 6, 2) + At(on, "$P80", 58, 2), "A231");
    settings.autoTransfer = settings.readGroups = false;
    const std::string off = Write(on, settings);
    EXPECT_EQ(At(off, "$PBC", 6, 2) + At(off, "$P80", 58, 2), "A130");

    const std::string plain = With(With(Base(), "$PBC", 6, "A0"), "$P80", 58, "XX");
    settings = Read(plain);
    settings.autoTransfer = settings.readGroups = true;
    EXPECT_EQ(Write(plain, settings), plain);
}

TEST(EditorSettings, ChecksFollowTheLoadOrder)
{
    const std::string a2 = Records({"06", "07", "08", "09"}) + With(Records({"BC"}), "$PBC", 6, "A2");
    const std::pair<std::string, ConfigTextError> cases[] = {
        {"", ConfigTextError::Unsuitable},
        {Records({"07", "08", "09"}), ConfigTextError::Unsuitable},
        {Records({"06", "08", "09"}), ConfigTextError::Unsuitable},
        {Records({"07", "08", "09"}) + "$P06" + std::string(26, '0'), ConfigTextError::BeyondEnd},
        {Records({"06", "07"}), ConfigTextError::BeyondEnd},
        {Records({"06", "07", "08"}), ConfigTextError::BeyondEnd},
        {Records({"06", "07", "08", "09"}) + "$PBC00A", ConfigTextError::BeyondEnd},
        {a2, ConfigTextError::Unsuitable},
        {a2 + "$P80" + std::string(55, '0'), ConfigTextError::BeyondEnd},
        {Base() + std::string(kMaxConfigTextLen - Base().size(), '0'), ConfigTextError::None},
        {Base() + std::string(kMaxConfigTextLen + 1 - Base().size(), '0'), ConfigTextError::TooLarge},
    };
    for (const auto& [text, error] : cases) {
        EXPECT_EQ(ReadSettings(text).error, error) << text.size();
        const SettingsWritten written = WriteSettings(text, EditorSettings{});
        EXPECT_EQ(written.error, error) << text.size();
        EXPECT_EQ(written.text.empty(), error != ConfigTextError::None);
    }
}

TEST(EditorSettings, SaveRefusesUnstorableIdentifiersAndVanishedTetraSettings)
{
    struct Case {
        std::function<void(EditorSettings&)> edit;
        ConfigTextError error;
        int badIdentifier;
    };
    const Case cases[] = {
        {[](EditorSettings& s) { s.ownId = u"1234567"; }, ConfigTextError::BadIdentifier, kOwnIdentifier},
        {[](EditorSettings& s) { s.quickId[4] = u"1234567x"; }, ConfigTextError::BadIdentifier, 4},
        {[](EditorSettings& s) { s.quickId[6] = u"0X123456"; }, ConfigTextError::BadIdentifier, 6},
        {[](EditorSettings& s) { s.hasTetra = true; }, ConfigTextError::Unsuitable, 0},
    };
    for (const Case& c : cases) {
        EditorSettings settings;
        c.edit(settings);
        const SettingsWritten written = WriteSettings(Base(), settings);
        EXPECT_EQ(written.error, c.error);
        EXPECT_EQ(written.badIdentifier, c.badIdentifier);
        EXPECT_TRUE(written.text.empty());
    }
}

TEST(EditorSettings, IdentifiersTheTextHoldsGoBackUnchangedWhateverTheirCharacters)
{
    const std::string text = With(With(Base(), "$P07", 12 + 8 * 2, "78563a12"), "$P09", 68, "0X1234x6");
    const EditorSettings read = Read(text);
    EXPECT_EQ(Write(text, read), text);
}

// The golden backup is already normalised (role "01", names zero-filled, "$P80" pair "31"),
// so saving it unedited gives it back unchanged.
TEST(EditorSettings, GoldenFileRoundTripsByteForByte)
{
    const std::string golden = GoldenFile();
    const EditorSettings read = Read(ConfigTextFromFile(golden));
    EXPECT_EQ(read.masterSlave, 0);
    EXPECT_EQ(read.quickId[0], u"6F1A2B01");
    EXPECT_EQ(read.alias[0], u"RTW 1");
    EXPECT_EQ(read.alias[9], u"Wache S\u00FCd");
    EXPECT_EQ(read.ownId, u"6F1A2B3C");
    EXPECT_TRUE(read.hasTetra);
    EXPECT_FALSE(read.autoTransfer);
    EXPECT_TRUE(read.readGroups);
    EXPECT_EQ(Write(golden, read), golden);
}

TEST(EditorSettings, UneditedSaveNormalisesRoleNameTailsAndGroups)
{
    const std::string source =
        With(With(With(With(Base(), "$P06", 30, "02"), "$P07", 92, "41004243"), "$PBC", 6, "A1"), "$P80", 58, "00");
    const std::string expected = With(With(With(source, "$P06", 30, "01"), "$P07", 92, "41000000"), "$P80", 58, "30");
    EXPECT_EQ(Write(source, Read(source)), expected);
}

TEST(EditorSettings, FileOf160RecordsKeepsItsLength)
{
    std::vector<std::string> addresses{"06", "07", "08", "09"};
    addresses.resize(160, "7E");
    const std::string text = ConfigTextFromFile(Records(addresses) + std::string(50, '0'));
    EXPECT_EQ(Write(text, Read(text)).size(), 21280u);
}

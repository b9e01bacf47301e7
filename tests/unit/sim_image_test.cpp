// The default memory of the simulated device and memory images on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "sim/default_image.h"
#include "sim/hex_text.h"
#include "sim/image_file.h"

namespace
{

// Which data bytes of each main record a backup keeps, found by walking the block markers the
// way a backup does; also records which records head blocks.
struct BlockWalk {
    std::set<std::uint8_t> heads;
    std::set<std::uint8_t> leftOut;
    std::array<std::array<bool, 64>, 128> kept{};
    bool endsWithBlock = false;
};

BlockWalk Walk(const DeviceMemory& memory)
{
    BlockWalk walk;
    int keepWhole = 0;
    int pending = 0;
    for (int a = 0x01; a <= 0x7F; ++a) {
        const RecordData& data = memory.Record(static_cast<std::uint8_t>(a));
        auto& kept = walk.kept[a];
        kept.fill(true);
        if (keepWhole == 0 && pending == 0) {
            walk.heads.insert(static_cast<std::uint8_t>(a));
            const std::uint8_t marker = data[0];
            if (marker == 0xFF) {
                walk.leftOut.insert(static_cast<std::uint8_t>(a));
                keepWhole = 1;
            } else if (marker >= 0xF0) {
                keepWhole = marker - 0xF0;
            } else {
                pending = marker;
            }
            kept[0] = false;
        }
        if (keepWhole > 0) {
            --keepWhole;
        } else if (pending > 64) {
            pending -= 64;
        } else {
            for (int k = pending; k < 64; ++k)
                kept[k] = false;
            pending = 0;
        }
    }
    walk.endsWithBlock = keepWhole == 0 && pending == 0;
    return walk;
}

bool Kept(const BlockWalk& walk, std::uint8_t address, int first, int count)
{
    for (int k = first; k < first + count; ++k) {
        if (!walk.kept[address][k])
            return false;
    }
    return true;
}

std::string Identifier(const RecordData& data, int at)
{
    // Least significant byte first in the record, most significant first on screen.
    return HexPair(data[at + 3]) + HexPair(data[at + 2]) + HexPair(data[at + 1]) + HexPair(data[at]);
}

} // namespace

TEST(SimDefaultImage, FileHoldsAll160RecordsInBackupOrder)
{
    const std::string file = DefaultImageFile();
    ASSERT_EQ(file.size(), 160u * 133u);
    for (std::size_t i = 0; i < 160; ++i) {
        const std::string record = file.substr(i * 133, 133);
        const std::uint8_t expected = i < 127    ? static_cast<std::uint8_t>(i + 1)
                                      : i == 127 ? 0xBC
                                                 : static_cast<std::uint8_t>(0x80 + (i - 128));
        EXPECT_EQ(record.substr(0, 4), "$P" + HexPair(expected)) << i;
        EXPECT_EQ(record.back(), '\x01') << i;
        EXPECT_TRUE(std::all_of(record.begin() + 4, record.end() - 1, [](char c) { return HexDigit(c).has_value(); }))
            << i;
    }
}

TEST(SimDefaultImage, BlockWalkMeetsExactlyTheDeclaredHeads)
{
    const DeviceMemory memory = DefaultMemory();
    const BlockWalk walk = Walk(memory);
    std::set<std::uint8_t> declared;
    for (const BlockHead& head : DefaultBlockHeads()) {
        declared.insert(head.address);
        EXPECT_EQ(memory.Record(head.address)[0], head.marker) << HexPair(head.address);
    }
    EXPECT_EQ(walk.heads, declared);
    EXPECT_TRUE(walk.endsWithBlock); // no block runs past 7F
}

TEST(SimDefaultImage, BlocksExerciseEveryKindOfMarker)
{
    bool ff = false, f0 = false, keepWhole = false, oneRecord = false, severalRecords = false, tiny = false;
    for (const BlockHead& head : DefaultBlockHeads()) {
        ff |= head.marker == 0xFF;
        f0 |= head.marker == 0xF0;
        keepWhole |= head.marker > 0xF0 && head.marker < 0xFF;
        oneRecord |= head.marker > 1 && head.marker <= 64;
        severalRecords |= head.marker > 64 && head.marker < 0xF0;
        tiny |= head.marker <= 1;
    }
    EXPECT_TRUE(ff && f0 && keepWhole && oneRecord && severalRecords && tiny);
    EXPECT_TRUE(Walk(DefaultMemory()).leftOut.count(0x7F)); // the last record is left out
}

TEST(SimDefaultImage, FmsSettingsSitWhereTheEditorLooksAndSurviveABackup)
{
    const DeviceMemory memory = DefaultMemory();
    const BlockWalk walk = Walk(memory);
    EXPECT_EQ(memory.Record(0x06)[13], kDefaultIsMaster ? 0x01 : 0x00);
    EXPECT_TRUE(Kept(walk, 0x06, 13, 1));
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(Identifier(memory.Record(0x07), 4 + 4 * k), kDefaultQuickIds[k]) << k;
    EXPECT_TRUE(Kept(walk, 0x07, 4, 60));
    EXPECT_TRUE(Kept(walk, 0x08, 0, 64));
    EXPECT_TRUE(Kept(walk, 0x09, 0, 36));

    std::string area;
    for (int k = 44; k < 64; ++k)
        area.push_back(static_cast<char>(memory.Record(0x07)[k]));
    for (int k = 0; k < 64; ++k)
        area.push_back(static_cast<char>(memory.Record(0x08)[k]));
    for (int k = 0; k < 26; ++k)
        area.push_back(static_cast<char>(memory.Record(0x09)[k]));
    for (int n = 0; n < 10; ++n) {
        const std::string name = area.substr(11 * n, 11);
        EXPECT_EQ(name.substr(0, name.find('\0')), kDefaultNames[n]) << n;
        EXPECT_EQ(name.back(), '\0') << n; // room for the terminator
    }
    EXPECT_EQ(Identifier(memory.Record(0x09), 32), kDefaultOwnId);
}

TEST(SimDefaultImage, InterfaceRecordsAreAnnouncedAndRealistic)
{
    const DeviceMemory memory = DefaultMemory();
    EXPECT_NE(memory.Record(kBcAddress)[0], 0xFF); // BC itself is part of a backup
    EXPECT_EQ(memory.ReadHex(kBcAddress).substr(2, 2), "A1");
    EXPECT_EQ(memory.Record(0x80)[27], '1');
}

TEST(SimImageFile, SaveAndLoadRoundTrip)
{
    DeviceMemory changed = DefaultMemory();
    RecordData data{};
    data.fill(0x42);
    changed.SetRecord(0x9F, data);
    changed.SetRecord(0x01, data);

    DeviceMemory loaded;
    std::string error;
    ASSERT_TRUE(ApplyImage(loaded, ImageText(changed), error)) << error;
    EXPECT_EQ(loaded, changed);
}

TEST(SimImageFile, PartialImageInAnyOrderLeavesOtherRecordsAlone)
{
    RecordData data{};
    data.fill(0x11);
    std::string record = ImageRecord(0x80, data);
    record.replace(4, 2, "XX"); // spare byte keeps what the memory held
    const std::string image = record + ImageRecord(0x03, data);

    DeviceMemory memory = DefaultMemory();
    std::string error;
    ASSERT_TRUE(ApplyImage(memory, image, error)) << error;
    DeviceMemory expected = DefaultMemory();
    RecordData eighty = data;
    eighty[0] = expected.Record(0x80)[0];
    expected.SetRecord(0x80, eighty);
    expected.SetRecord(0x03, data);
    EXPECT_EQ(memory, expected);
    EXPECT_TRUE(ApplyImage(memory, "", error)); // an empty image is valid and changes nothing
    EXPECT_EQ(memory, expected);
}

TEST(SimImageFile, BadImagesChangeNothing)
{
    const std::string good = ImageRecord(0x05, RecordData{});
    std::string badAddress = good;
    badAddress.replace(2, 2, "C0");
    std::string badEnd = good;
    badEnd.back() = '\r';
    for (const std::string& bad : {good + "x", good + badAddress, badEnd + good, good.substr(0, 132)}) {
        DeviceMemory memory = DefaultMemory();
        std::string error;
        EXPECT_FALSE(ApplyImage(memory, bad, error));
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(memory, DefaultMemory());
    }
}

// Splitting a configuration file into records and reading the "$PBC" interface marker.
#include <gtest/gtest.h>

#include "tests/unit/transfer_test_support.h"
#include "transfer/config_record.h"

TEST(ConfigRecord, SplitKeepsCompleteRecordsOnly)
{
    EXPECT_TRUE(SplitRecords("").empty());
    EXPECT_TRUE(SplitRecords(std::string(132, 'a')).empty());
    const std::string a = FileRecord("01", std::string(128, 'A'));
    const std::string b = FileRecord("BC", std::string(128, 'B'));
    EXPECT_EQ(SplitRecords(a), std::vector<std::string>{a});
    EXPECT_EQ(SplitRecords(a + b + "$P7F0000"), (std::vector<std::string>{a, b}));
}

TEST(ConfigRecord, InterfaceMarkerIsA1OrA2InDataByteOne)
{
    const std::string head = "$PBC00";
    for (const char* yes : {"A1", "A2"})
        EXPECT_TRUE(AnnouncesInterfaceRecords(FileRecord("BC", "00" + std::string(yes) + std::string(124, '0'))));
    for (const char* no : {"A0", "A3", "a1", "B1", "1A"})
        EXPECT_FALSE(AnnouncesInterfaceRecords(FileRecord("BC", "00" + std::string(no) + std::string(124, '0'))));
    EXPECT_FALSE(AnnouncesInterfaceRecords(head + "A"));
    EXPECT_TRUE(AnnouncesInterfaceRecords(head + "A1"));
}

TEST(ConfigRecord, VerdictNamesTheFirstBadRecord)
{
    const std::string good = FileRecord("01", std::string(128, 'A'));
    const std::string bad = FileRecord("02", "Z" + std::string(127, 'A'));
    const std::string half = good.substr(0, 66);
    using Fault = FileVerdict::Fault;
    const struct {
        std::string file;
        Fault fault;
        std::size_t record;
    } cases[] = {{"", Fault::NoRecords, 0},
                 {half, Fault::NoRecords, 0},
                 {"\r\n", Fault::NoRecords, 0},
                 {good, Fault::None, 0},
                 {good + good + "\r\n\n", Fault::None, 0},
                 {good + half, Fault::BadRecord, 2},
                 {good + good + "$P7F", Fault::BadRecord, 3},
                 {good + "\r\n ", Fault::BadRecord, 2},
                 {good + bad + bad, Fault::BadRecord, 2},
                 {std::string(kMaxConfigFileBytes + 1, 'A'), Fault::TooLarge, 0}};
    for (const auto& c : cases) {
        const FileVerdict verdict = JudgeConfigurationFile(c.file);
        EXPECT_EQ(verdict.fault, c.fault) << c.file.size();
        EXPECT_EQ(verdict.record, c.record) << c.file.size();
    }
}

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

// Comparing configurations record by record, spare bytes left out.
#include <gtest/gtest.h>

#include "tests/unit/transfer_test_support.h"
#include "transfer/record_compare.h"

namespace
{
// CountingData with data byte k replaced by the given pair.
std::string Record(const std::string& address, int k = -1, const std::string& pair = "")
{
    std::string data = CountingData();
    if (k >= 0)
        data.replace(static_cast<std::size_t>(2 * k), 2, pair);
    return FileRecord(address, data);
}
} // namespace

TEST(RecordCompare, EqualFilesHaveNoDifference)
{
    const std::string file = Record("01") + Record("02");
    EXPECT_TRUE(CompareRecords(file, file).empty());
}

TEST(RecordCompare, DifferingDataBytesAreListedPerRecord)
{
    const auto differences = CompareRecords(Record("01") + Record("02", 5, "AA"), Record("01") + Record("02"));
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].kind, RecordDifference::Kind::DataDiffers);
    EXPECT_EQ(differences[0].address, "02");
    EXPECT_EQ(differences[0].dataBytes, std::vector<int>{5});
    EXPECT_EQ(DataBytePair(differences[0].first, 5), "AA");
    EXPECT_EQ(DataBytePair(differences[0].second, 5), "05");
}

TEST(RecordCompare, SparePairOnEitherSideIsNotCompared)
{
    EXPECT_TRUE(CompareRecords(Record("01", 3, "XX"), Record("01")).empty());
    EXPECT_TRUE(CompareRecords(Record("01"), Record("01", 3, "XX")).empty());
}

TEST(RecordCompare, RecordsByAddressWhateverTheirOrder)
{
    EXPECT_TRUE(CompareRecords(Record("01") + Record("02"), Record("02") + Record("01")).empty());
    const auto differences = CompareRecords(Record("01") + Record("0F"), Record("01") + Record("BC"));
    ASSERT_EQ(differences.size(), 2u);
    EXPECT_EQ(differences[0].kind, RecordDifference::Kind::OnlyInFirst);
    EXPECT_EQ(differences[0].address, "0F");
    EXPECT_EQ(differences[1].kind, RecordDifference::Kind::OnlyInSecond);
    EXPECT_EQ(differences[1].address, "BC");
}

TEST(RecordCompare, FirstRecordOfAnAddressCounts)
{
    EXPECT_TRUE(CompareRecords(Record("01") + Record("01", 0, "77"), Record("01")).empty());
}

TEST(RecordCompare, OnlySpareBytesDifferWhenEveryDifferenceLiesInAnXXPair)
{
    const std::string spare = FileRecord("07", "XX" + std::string(126, '0'));
    const std::string set = FileRecord("07", "3C" + std::string(126, '0'));
    const std::string other = FileRecord("07", "XX" + std::string(125, '0') + "1");
    const struct {
        std::string first, second;
        bool spareOnly;
    } cases[] = {{spare, set, true},          {set, spare, true},
                 {spare, spare, false},       {spare, other, false},
                 {spare, spare + "x", false}, {spare, FileRecord("08", "XX" + std::string(126, '0')), false}};
    for (const auto& c : cases)
        EXPECT_EQ(DifferOnlyInSpareBytes(c.first, c.second), c.spareOnly) << c.second.substr(0, 8);
}

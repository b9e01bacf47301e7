// Spare-byte marking over sequences of main records, one case per row of the block-marker rules.
#include <gtest/gtest.h>

#include "tests/unit/transfer_test_support.h"
#include "transfer/spare_byte_marker.h"

namespace
{

const std::string kAllSpare(128, 'X');
const std::string kOmitted = "(left out)";

// Runs main records (given by their 128 data characters) through the marker in backup order
// and returns each record's data as it would be written.
std::vector<std::string> Mark(const std::vector<std::string>& datas)
{
    SpareByteMarker marker;
    std::vector<std::string> out;
    for (const std::string& data : datas) {
        std::string record = FileRecord("01", data);
        bool omit = false;
        if (marker.AwaitsBlockHead())
            omit = marker.ExamineBlockHead(record);
        marker.MarkSpare(record);
        out.push_back(omit ? kOmitted : record.substr(4, 128));
    }
    return out;
}

// The counting data with data bytes from..63 reading "XX" and byte 0 as given.
std::string Kept(const std::string& head, int from)
{
    return head + CountingData().substr(2, 2 * (from - 1)) + std::string(2 * (64 - from), 'X');
}

} // namespace

TEST(SpareByteMarker, FFLeavesRecordOutAndNextIsHeadAgain)
{
    EXPECT_EQ(Mark({DataWithHead("FF"), DataWithHead("03")}),
              (std::vector<std::string>{kOmitted, "XX0102" + std::string(122, 'X')}));
}

TEST(SpareByteMarker, F0AndFWithNonDigitSpareTheWholeRecord)
{
    for (const char* head : {"F0", "FG", "Fa", "FX", "F "})
        EXPECT_EQ(Mark({DataWithHead(head), DataWithHead("02")}),
                  (std::vector<std::string>{kAllSpare, "XX01" + std::string(124, 'X')}))
            << head;
}

TEST(SpareByteMarker, FnKeepsNRecordsWhole)
{
    // "F3": the head and the next two stay as read (their own byte 0 included); the third is a head.
    const std::string other = DataWithHead("05");
    EXPECT_EQ(Mark({DataWithHead("F3"), other, other, DataWithHead("01")}),
              (std::vector<std::string>{Kept("XX", 64), other, other, kAllSpare}));
    // "FE": fourteen records whole, the fifteenth is a head.
    std::vector<std::string> datas(15, DataWithHead("00"));
    datas[0] = DataWithHead("FE");
    const std::vector<std::string> marked = Mark(datas);
    EXPECT_EQ(marked[0], Kept("XX", 64));
    EXPECT_EQ(marked[13], DataWithHead("00"));
    EXPECT_EQ(marked[14], kAllSpare);
}

TEST(SpareByteMarker, BlockLengthWithinOneRecord)
{
    EXPECT_EQ(Mark({DataWithHead("00")})[0], kAllSpare);
    EXPECT_EQ(Mark({DataWithHead("01")})[0], kAllSpare);
    EXPECT_EQ(Mark({DataWithHead("05")})[0], "XX01020304" + std::string(118, 'X'));
    EXPECT_EQ(Mark({DataWithHead("3F")})[0], Kept("XX", 63));
    EXPECT_EQ(Mark({DataWithHead("40"), DataWithHead("02")}),
              (std::vector<std::string>{Kept("XX", 64), "XX01" + std::string(124, 'X')}));
    // Lower-case digits are no digits: "4a" is 0x40.
    EXPECT_EQ(Mark({DataWithHead("4a")})[0], Kept("XX", 64));
}

TEST(SpareByteMarker, BlockLengthRunningIntoFollowingRecords)
{
    // 0x41: the head whole, then only byte 0 of the next record; the one after is a head.
    EXPECT_EQ(Mark({DataWithHead("41"), DataWithHead("41"), DataWithHead("00")}),
              (std::vector<std::string>{Kept("XX", 64), "41" + std::string(126, 'X'), kAllSpare}));
    // 0x80: exactly 64 bytes due in the second record keep it whole and end the block.
    EXPECT_EQ(Mark({DataWithHead("80"), DataWithHead("77"), DataWithHead("00")}),
              (std::vector<std::string>{Kept("XX", 64), DataWithHead("77"), kAllSpare}));
    // 0xEF = 239 = 3 x 64 + 47 in 8 bits: three records whole, the fourth keeps bytes 0..46.
    const std::string other = DataWithHead("FF");
    EXPECT_EQ(Mark({DataWithHead("EF"), other, other, other, DataWithHead("01")}),
              (std::vector<std::string>{Kept("XX", 64), other, other, Kept("FF", 47), kAllSpare}));
}

TEST(SpareByteMarker, CountersFollowTheMarker)
{
    SpareByteMarker marker;
    std::string record = FileRecord("10", DataWithHead("F7"));
    EXPECT_FALSE(marker.ExamineBlockHead(record));
    EXPECT_EQ(marker.m_nKeepWhole, 7);
    EXPECT_EQ(record.substr(4, 2), "XX");
    marker = SpareByteMarker{};
    record = FileRecord("10", DataWithHead("E9"));
    marker.ExamineBlockHead(record);
    EXPECT_EQ(marker.m_nPending, 0xE9);
    marker.MarkSpare(record);
    EXPECT_EQ(marker.m_nPending, 0xA9);
}

TEST(SpareByteMarker, ShortRecordIsNeitherReadNorMarkedBeyondItsEnd)
{
    SpareByteMarker marker;
    std::string record = "$P01F";
    EXPECT_FALSE(marker.ExamineBlockHead(record));
    EXPECT_TRUE(marker.AwaitsBlockHead());
    EXPECT_EQ(record, "$P01F");
    record = "$P0112345";
    marker.MarkSpare(record);
    EXPECT_EQ(record, "$P01XXXXX");
}

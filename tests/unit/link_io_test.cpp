// Capped reading and one-byte-per-write commands on the byte link.
#include <gtest/gtest.h>

#include "link/link_io.h"
#include "link/wire_text.h"
#include "tests/unit/fake_device.h"
#include "tests/unit/transfer_test_support.h"

TEST(LinkIo, CommandGoesOutOneBytePerWrite)
{
    struct CountingLink : FakeDevice {
        int calls = 0;
        std::size_t Write(const std::uint8_t* d, std::size_t n) override
        {
            ++calls;
            EXPECT_EQ(n, 1u);
            return FakeDevice::Write(d, n);
        }
    } link;
    WriteCommand(link, std::string("$PROGENDE\x01"));
    EXPECT_EQ(link.calls, 10);
    EXPECT_EQ(link.written, std::string("$PROGENDE\x01"));
}

TEST(LinkIo, ReadStopsAtFirstSilenceAndLaterBytesWait)
{
    FakeDevice link;
    link.Queue("abc");
    link.QueueAfterSilences("late", 1);
    EXPECT_EQ(ReadUntilSilent(link), "abc");
    EXPECT_EQ(ReadUntilSilent(link), "late");
    EXPECT_EQ(ReadUntilSilent(link), "");
}

TEST(LinkIo, BabblingLineIsCutByTheByteCap)
{
    FakeDevice link;
    link.babble = true;
    EXPECT_EQ(ReadUntilSilent(link).size(), kSilenceCapBytes);
}

TEST(LinkIo, SlowBabbleIsCutByTheTimeCap)
{
    // One byte every 10 ms: 2048 bytes would take 20 s, the time cap ends it at 500 ms.
    FakeDevice link;
    link.babble = true;
    link.babbleGapMs = 10;
    const std::string got = ReadUntilSilent(link);
    EXPECT_LE(got.size(), 51u);
    EXPECT_GE(link.now, kSilenceCapMs);
}

TEST(WireText, DeviceBytesAreSignExtendedFileBytesAreNot)
{
    const std::string bytes = "A\x80\xFF";
    EXPECT_EQ(SignExtendBytes(bytes), (std::u16string{u'A', u'\xFF80', u'\xFFFF'}));
    EXPECT_EQ(WidenBytes(bytes), (std::u16string{u'A', u'\x0080', u'\x00FF'}));
    EXPECT_EQ(NarrowToBytes(WidenBytes(bytes)), bytes);
}

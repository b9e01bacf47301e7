// Timing of the simulated device: its transmit line, and the in-process link on simulated time.
#include <gtest/gtest.h>

#include <string>

#include "sim/in_process_link.h"
#include "sim/transmitter.h"

namespace
{

void Send(SimLink& link, const std::string& bytes)
{
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        link.Write(&byte, 1);
    }
}

// Reads one byte at a time until a read returns none; records the longest wait for a byte.
struct Received {
    std::string bytes;
    std::uint64_t firstByteAfterMs = 0;
    std::uint64_t longestGapMs = 0;
};

Received ReadUntilSilence(SimLink& link)
{
    Received got;
    const std::uint64_t start = link.NowMs();
    std::uint64_t last = start;
    std::uint8_t byte = 0;
    while (got.bytes.size() < 4096 && link.Read(&byte, 1) == 1) {
        if (got.bytes.empty())
            got.firstByteAfterMs = link.NowMs() - start;
        else
            got.longestGapMs = std::max(got.longestGapMs, link.NowMs() - last);
        last = link.NowMs();
        got.bytes.push_back(static_cast<char>(byte));
    }
    return got;
}

Fault MustParse(const std::string& text)
{
    std::string error;
    return ParseFault(text, error).value();
}

} // namespace

TEST(SimTransmitter, UnpacedBytesGoOutWhenDue)
{
    Transmitter line;
    line.Schedule(5000, "late");
    line.Schedule(0, "now");
    EXPECT_EQ(line.Take(0), "now");
    EXPECT_EQ(line.Take(4999), "");
    EXPECT_EQ(line.NextByteDoneUs(), 5000u);
    EXPECT_EQ(line.Take(5000), "late");
    EXPECT_TRUE(line.Idle());
}

TEST(SimTransmitter, PacedBytesTakeTheirByteTime)
{
    Transmitter line(kByteTimeAt9600Us);
    line.Schedule(0, "abc");
    EXPECT_EQ(line.Take(kByteTimeAt9600Us - 1), "");
    EXPECT_EQ(line.Take(kByteTimeAt9600Us), "a");
    EXPECT_EQ(line.Take(10 * kByteTimeAt9600Us), "bc"); // a late reader finds them all there
}

TEST(SimTransmitter, AReplyOnTheLineIsFinishedBeforeAnEarlierDueOne)
{
    Transmitter line(1000);
    line.Schedule(1000, "AAAA");
    EXPECT_EQ(line.Take(3000), "AA");
    line.Schedule(0, "bb");
    line.Schedule(100000, "z");
    EXPECT_EQ(line.Take(7000), "AAbb");
    EXPECT_EQ(line.Take(100999), "");
    EXPECT_EQ(line.Take(101000), "z");
}

TEST(SimLinkTiming, ReadReplyStartsAtOnceAndHasNoGap)
{
    SimLink link;
    Send(link, "$R06\x01");
    EXPECT_EQ(link.NowMs(), 5u); // 1 ms a byte written
    const Received got = ReadUntilSilence(link);
    ASSERT_EQ(got.bytes.size(), 133u);
    EXPECT_EQ(got.bytes.substr(0, 4), "$R06");
    EXPECT_LT(got.firstByteAfterMs, 51u);
    EXPECT_LE(got.longestGapMs, 1u);
    // The silence that ends the reply costs one read time-out.
    EXPECT_EQ(link.NowMs(), 5u + 133u + 51u);
}

TEST(SimLinkTiming, ReadWithNothingComingCostsTheTimeOut)
{
    SimLink link;
    std::uint8_t byte = 0;
    EXPECT_EQ(link.Read(&byte, 1), 0u);
    EXPECT_EQ(link.NowMs(), kSimReadTimeoutMs);
}

TEST(SimLinkTiming, LateAckArrivesAfterItsDelay)
{
    SimLink link;
    link.GetDevice().AddFault(MustParse("ack-late=05:300"));
    Send(link, "$P05" + std::string(128, '0') + "\x01");
    const std::uint64_t sent = link.NowMs();
    // Reads in between come back empty, one time-out each, until the ack has arrived.
    int emptyReads = 0;
    std::uint8_t byte = 0;
    while (link.Read(&byte, 1) == 0 && emptyReads < 100)
        ++emptyReads;
    EXPECT_EQ(byte, 'P');
    EXPECT_EQ(emptyReads, 5);
    EXPECT_GE(link.NowMs() - sent, 300u);
    EXPECT_LE(link.NowMs() - sent, 302u);
    EXPECT_EQ(ReadUntilSilence(link).bytes, "05!\r");
}

TEST(SimLinkTiming, SplitAckHasASilenceInside)
{
    SimLink link;
    link.GetDevice().AddFault(MustParse("ack-split=05"));
    Send(link, "$P05" + std::string(128, '0') + "\x01");
    // Reading passes as a restore makes them, keeping what came, until the whole ack is there.
    const std::string first = ReadUntilSilence(link).bytes;
    std::string all = first;
    int passes = 1;
    while (all.find("P05!\r") == std::string::npos && passes < 101) {
        all += ReadUntilSilence(link).bytes;
        ++passes;
    }
    EXPECT_EQ(first, "P0");
    EXPECT_EQ(all, "P05!\r");
    EXPECT_GT(passes, 2); // at least one pass in the gap got nothing
}

TEST(SimLinkTiming, BabbleNeverFallsSilent)
{
    SimLink link;
    link.GetDevice().AddFault(MustParse("babble"));
    Send(link, "$PROGSTART\x01");
    std::string got;
    std::uint8_t byte = 0;
    for (int i = 0; i < 1000; ++i) {
        ASSERT_EQ(link.Read(&byte, 1), 1u) << i;
        got.push_back(static_cast<char>(byte));
    }
    EXPECT_EQ(got.find("Quendal"), std::string::npos);
    EXPECT_NE(got.find("$GPGGA"), std::string::npos);
    EXPECT_LE(link.NowMs(), 11u + 1000u + 1u); // a byte a millisecond
}

TEST(SimLinkExchange, BackupStyleReadsThenRestoreStyleWrites)
{
    SimLink link;
    Send(link, "$PROGSTART\x01");
    EXPECT_EQ(ReadUntilSilence(link).bytes, kDefaultIdent);
    Send(link, "$RBC\x01");
    const std::string bc = ReadUntilSilence(link).bytes;
    ASSERT_EQ(bc.size(), 133u);

    // A record written in one call, as the restore does, is acknowledged.
    std::string record = "$P80" + std::string(128, 'F') + "\x01";
    link.Write(reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
    EXPECT_EQ(ReadUntilSilence(link).bytes, "P80!\r");
    EXPECT_EQ(link.GetDevice().Memory().ReadHex(0x80), std::string(128, 'F'));
    Send(link, "$PROGENDE\x01");
    EXPECT_EQ(ReadUntilSilence(link).bytes, "");

    ASSERT_EQ(link.Commands().size(), 4u);
    EXPECT_EQ(link.Commands()[1], "$RBC\x01");
    EXPECT_EQ(link.Commands()[3], "$PROGENDE\x01");
}

TEST(SimLinkExchange, AdvanceLetsDelayedRepliesArriveMeanwhile)
{
    SimLink link;
    link.GetDevice().AddFault(MustParse("ack-late=05:200"));
    Send(link, "$P05" + std::string(128, '0') + "\x01");
    link.AdvanceMs(500);
    std::uint8_t buffer[16] = {};
    EXPECT_EQ(link.Read(buffer, sizeof buffer), 5u); // all there, handed over in one read
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), "P05!\r");
}

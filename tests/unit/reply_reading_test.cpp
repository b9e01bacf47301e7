// Reading a reply up to its completing CR: the same bytes as the silence rule, without its wait.
#include <gtest/gtest.h>

#include "link/link_io.h"
#include "link/reply_reading.h"
#include "tests/unit/fake_device.h"

namespace
{

const std::string kData(128, 'A');
const ReplyShape kRecordReply{"$R05", 133};

std::string Read(const std::string& sent, ReplyReading reading, const ReplyShape& shape, std::size_t& emptyReads)
{
    FakeDevice link;
    link.Queue(sent);
    link.QueueAfterSilences("late", 1);
    const std::string reply = ReadReply(link, reading, shape);
    emptyReads = link.emptyReads;
    return reply;
}

} // namespace

TEST(ReplyReading, WholeReplyGivesTheSilenceRulesBytesAndWaitsOnlyWhenNotWhole)
{
    const struct {
        std::string sent;
        ReplyShape shape;
        bool whole;
    } cases[] = {
        {"$R05" + kData + "\r", kRecordReply, true},
        {"~#~?$R05" + kData + "\r", kRecordReply, false}, // noise before the reply
        {"$R05" + kData, kRecordReply, false},            // no CR
        {"$R05" + kData + "\r#~", kRecordReply, false},   // bytes after the CR
        {"$R05" + kData.substr(2) + "\r", kRecordReply, false},
        {"$R06" + kData + "\r", kRecordReply, false}, // another record's reply
        {"P05!\r", {"P05!\r", 5}, true},
        {"P05", {"P05!\r", 5}, false}, // split
        {"#P05!\r", {"P05!\r", 5}, false},
    };
    for (const auto& c : cases) {
        std::size_t silent = 0;
        std::size_t fast = 0;
        EXPECT_EQ(Read(c.sent, ReplyReading::WholeReply, c.shape, fast),
                  Read(c.sent, ReplyReading::Silence, c.shape, silent))
            << c.sent;
        EXPECT_EQ(silent, 1u) << c.sent;
        EXPECT_EQ(fast, c.whole ? 0u : 1u) << c.sent;
    }
}

TEST(ReplyReading, LateBytesAreDrainedWithoutWaitingOnlyWhenRepliesEndAtTheirCr)
{
    FakeDevice link;
    link.Queue("#~");
    DrainLateBytes(link, ReplyReading::Silence);
    DrainLateBytes(link, ReplyReading::WholeReply);
    EXPECT_EQ(link.emptyReads, 0u);
    EXPECT_EQ(ReadUntilSilent(link), "");
    link.Queue("#~");
    DrainLateBytes(link, ReplyReading::Silence);
    EXPECT_EQ(ReadUntilSilent(link), "#~");
}

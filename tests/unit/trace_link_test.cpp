// The tracing byte link: one line per run of bytes in one direction, and unanswered writes.
#include <gtest/gtest.h>

#include <sstream>

#include "link/device_commands.h"
#include "link/identification.h"
#include "link/link_io.h"
#include "link/trace_link.h"
#include "tests/unit/fake_device.h"

namespace
{
std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}
} // namespace

TEST(TraceLink, LineShowsTimeDirectionHexAndText)
{
    EXPECT_EQ(TraceLine(12, true, "$R\x01"), "      12 ms  PC>  24 52 01  |$R.|");
    EXPECT_EQ(TraceLine(1234, false, "P0\r"), "    1234 ms  Q4<  50 30 0D  |P0.|");
}

TEST(TraceLink, QueryAndReplyShareOneLineEachAndPassThrough)
{
    FakeDevice device;
    device.onCommand = [&](const std::string&) { device.Queue("Quendal 4\rV\rOpt"); };
    std::ostringstream out;
    std::u16string reply;
    {
        TraceLink trace(device, out);
        reply = QueryIdentification(trace);
    }
    EXPECT_EQ(reply, u"Quendal 4\rV\rOpt");
    EXPECT_EQ(device.written, std::string(kQueryCommand));
    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("PC>  24 50 52 4F 47 53 54 41 52 54 01  |$PROGSTART.|"), std::string::npos);
    EXPECT_NE(lines[1].find("Q4<  51 75"), std::string::npos);
    EXPECT_NE(lines[1].find("|Quendal 4.V.Opt|"), std::string::npos);
}

TEST(TraceLink, WriteThatNothingAnswersIsMarkedWithItsSilence)
{
    FakeDevice device;
    std::ostringstream out;
    {
        TraceLink trace(device, out);
        WriteCommand(trace, "$R01\x01");
        ReadUntilSilent(trace);
        ReadUntilSilent(trace);
    }
    const std::vector<std::string> lines = Lines(out.str());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("|$R01.|"), std::string::npos);
    EXPECT_NE(lines[1].find("Q4<  (keine Antwort, 102 ms Stille)"), std::string::npos);
}

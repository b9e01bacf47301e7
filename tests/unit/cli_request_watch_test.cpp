// The record a failed transfer stopped at: read requests written bytewise, record writes whole.
#include <gtest/gtest.h>

#include <string_view>

#include "cli/request_watch.h"

namespace
{
class NullLink : public ByteLink
{
  public:
    std::size_t Write(const std::uint8_t*, std::size_t n) override { return n; }
    std::size_t Read(std::uint8_t*, std::size_t) override { return 0; }
    std::size_t ReadWithin(std::uint8_t*, std::size_t, std::uint64_t waitMs) override
    {
        askedWithin = waitMs;
        return 0;
    }
    std::uint64_t NowMs() override { return 0; }
    std::uint64_t askedWithin = 0;
};

void Send(ByteLink& link, std::string_view bytes, bool bytewise)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::size_t i = 0; bytewise && i < bytes.size(); ++i)
        link.Write(data + i, 1);
    if (!bytewise)
        link.Write(data, bytes.size());
}
} // namespace

TEST(CliRequestWatch, TheFirstFailureKeepsTheRecordUnderWay)
{
    NullLink inner;
    RequestWatch watch(inner);
    Send(watch, "$PROGSTART\x01", true);
    watch.MarkFailure();
    EXPECT_EQ(watch.FailedAt(), "");
    Send(watch, "$R05\x01", true);
    watch.MarkFailure();
    Send(watch, "$P5A0000\x01", false);
    watch.MarkFailure();
    EXPECT_EQ(watch.FailedAt(), "05");
}

TEST(CliRequestWatch, AShortReadReachesThePort)
{
    NullLink inner;
    RequestWatch watch(inner);
    std::uint8_t byte = 0;
    watch.ReadWithin(&byte, 1, 3);
    EXPECT_EQ(inner.askedWithin, 3u);
}

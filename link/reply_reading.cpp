// Reading a reply by the silence rule or up to its completing CR.
#include "link/reply_reading.h"

#include "link/link_io.h"

namespace
{

bool IsWhole(std::string_view received, const ReplyShape& whole)
{
    return received.size() == whole.length && received.starts_with(whole.head) && received.back() == '\r';
}

} // namespace

std::string ReadReply(ByteLink& link, ReplyReading reading, const ReplyShape& whole)
{
    if (reading == ReplyReading::Silence)
        return ReadUntilSilent(link);
    return ReadUntilSilent(
        link, [&whole](std::string_view received) { return IsWhole(received, whole); }, kBackToBackMs);
}

void DrainLateBytes(ByteLink& link, ReplyReading reading)
{
    if (reading == ReplyReading::Silence)
        return;
    std::uint8_t byte = 0;
    for (std::size_t n = 0; n < kSilenceCapBytes && link.ReadWithin(&byte, 1, 0) == 1; ++n) {
    }
}

// Command writing and capped reading on a byte link.
#include "link/link_io.h"

void WriteCommand(ByteLink& link, std::string_view bytes)
{
    for (char c : bytes) {
        const auto byte = static_cast<std::uint8_t>(c);
        link.Write(&byte, 1);
    }
}

std::string ReadUntilSilent(ByteLink& link)
{
    return ReadUntilSilent(link, nullptr, 0);
}

std::string ReadUntilSilent(ByteLink& link, const std::function<bool(std::string_view)>& complete,
                            std::uint64_t backToBackMs)
{
    std::string received;
    const std::uint64_t start = link.NowMs();
    std::uint8_t byte = 0;
    while (received.size() < kSilenceCapBytes && link.NowMs() - start < kSilenceCapMs) {
        const std::size_t got =
            complete && complete(received) ? link.ReadWithin(&byte, 1, backToBackMs) : link.Read(&byte, 1);
        if (got == 0)
            break;
        received.push_back(static_cast<char>(byte));
    }
    return received;
}

void Drain(ByteLink& link)
{
    ReadUntilSilent(link);
}

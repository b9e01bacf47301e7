// Identification query and the labelling of the device's reply.
#include "link/identification.h"

#include "link/device_commands.h"
#include "link/link_io.h"
#include "link/wire_text.h"

namespace
{
constexpr char16_t kDeviceName[] = u"Quendal 4";
constexpr char16_t kSoftwareLabel[] = u"Software: ";
constexpr char16_t kVersionLabel[] = u"Version:\t    ";
constexpr char16_t kOptionLabel[] = u"Option:\t    ";

// Reads until a byte arrives or `patienceMs` passed, then the rest until the line falls silent.
std::string ReadLateReply(ByteLink& link, std::uint64_t patienceMs, const std::function<bool()>& stopped)
{
    const std::uint64_t start = link.NowMs();
    std::uint8_t byte = 0;
    do {
        if (link.Read(&byte, 1) == 1)
            return static_cast<char>(byte) + ReadUntilSilent(link);
    } while (link.NowMs() - start < patienceMs && !(stopped && stopped()));
    return {};
}

} // namespace

std::u16string QueryIdentification(ByteLink& link, std::uint64_t patienceMs, const std::function<bool()>& stopped)
{
    Drain(link);
    WriteCommand(link, kQueryCommand);
    return SignExtendBytes(patienceMs == 0 ? ReadUntilSilent(link) : ReadLateReply(link, patienceMs, stopped));
}

IdentDisplay EvaluateReply(const std::u16string& reply)
{
    const auto nameAt = reply.find(kDeviceName);
    if (nameAt == std::u16string::npos)
        return {IdentOutcome::NoDevice, kNoDeviceText};

    std::u16string text = kSoftwareLabel + reply.substr(nameAt);
    const auto firstCr = text.find(u'\r');
    if (firstCr == std::u16string::npos)
        return {IdentOutcome::Partial, text};
    const std::u16string version = kVersionLabel;
    text.insert(firstCr + 1, version);

    const auto secondCr = text.find(u'\r', firstCr + 1);
    if (secondCr == std::u16string::npos)
        return {IdentOutcome::Partial, text};
    // A one-character option line gets no label; the text is still shown.
    if (text.size() - (secondCr + 1) >= 2)
        text.insert(secondCr + 1, kOptionLabel);
    return {IdentOutcome::Identified, text};
}

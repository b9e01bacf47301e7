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
} // namespace

std::u16string QueryIdentification(ByteLink& link)
{
    Drain(link);
    WriteCommand(link, kQueryCommand);
    return SignExtendBytes(ReadUntilSilent(link));
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

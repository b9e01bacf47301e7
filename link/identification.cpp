// Identification query and the evaluation of the device's reply.
#include "link/identification.h"

#include <algorithm>

#include "link/device_commands.h"
#include "link/link_io.h"
#include "link/wire_text.h"

namespace
{
constexpr char16_t kDeviceName[] = u"Quendal 4";

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

std::u16string WithoutLineFeeds(std::u16string text)
{
    std::erase(text, u'\n');
    return text;
}

} // namespace

std::u16string QueryIdentification(ByteLink& link, std::uint64_t patienceMs, const std::function<bool()>& stopped)
{
    Drain(link);
    WriteCommand(link, kQueryCommand);
    return SignExtendBytes(patienceMs == 0 ? ReadUntilSilent(link) : ReadLateReply(link, patienceMs, stopped));
}

Identification EvaluateReply(const std::u16string& reply)
{
    Identification ident;
    ident.reply = reply;
    const auto nameAt = reply.find(kDeviceName);
    if (nameAt == std::u16string::npos)
        return ident;

    std::size_t from = nameAt;
    while (ident.pieces.size() < 2) {
        const auto cr = reply.find(u'\r', from);
        if (cr == std::u16string::npos)
            break;
        ident.pieces.push_back(reply.substr(from, cr - from));
        from = cr + 1;
    }
    ident.pieces.push_back(reply.substr(from));
    ident.outcome = ident.pieces.size() == 3 ? IdentOutcome::Identified : IdentOutcome::Partial;

    ident.software = WithoutLineFeeds(ident.pieces[0]);
    if (ident.pieces.size() > 1)
        ident.version = WithoutLineFeeds(ident.pieces[1]);
    if (ident.pieces.size() > 2) {
        // The LF of a CR LF line end belongs to the line before.
        const std::u16string& rest = ident.pieces[2];
        const auto begin = std::min(rest.find_first_not_of(u'\n'), rest.size());
        ident.option = rest.substr(begin, rest.find_first_of(u"\r\n", begin) - begin);
    }
    return ident;
}

// Parsing and looking up the device's faults.
#include "sim/faults.h"

#include <charconv>

#include "sim/record_address.h"

namespace
{

struct KindName {
    FaultKind kind;
    std::string_view name;
    bool takesAddress;
    bool takesNumber;
};

constexpr KindName kKinds[] = {
    {FaultKind::Silent, "silent", false, false},
    {FaultKind::Babble, "babble", false, false},
    {FaultKind::Noise, "noise", false, false},
    {FaultKind::NoReply, "no-reply", true, false},
    {FaultKind::NoCr, "no-cr", true, false},
    {FaultKind::Trailing, "trailing", true, false},
    {FaultKind::Short, "short", true, true},
    {FaultKind::ReplyLate, "reply-late", true, true},
    {FaultKind::ReplyGap, "reply-gap", true, true},
    {FaultKind::IdentLate, "ident-late", false, true},
    {FaultKind::AckNever, "ack-never", true, false},
    {FaultKind::AckLate, "ack-late", true, true},
    {FaultKind::AckSplit, "ack-split", true, false},
    {FaultKind::AckNoise, "ack-noise", true, false},
    {FaultKind::VanishAfter, "vanish-after", false, true},
    {FaultKind::AfterEndOnly, "after-end-only", false, false},
};

std::optional<std::uint32_t> ParseNumber(std::string_view text)
{
    std::uint32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<Fault> ParseFault(std::string_view text, std::string& error)
{
    const std::size_t eq = text.find('=');
    const std::string_view name = text.substr(0, eq);
    const std::string_view argument = eq == std::string_view::npos ? std::string_view() : text.substr(eq + 1);
    for (const KindName& k : kKinds) {
        if (k.name != name)
            continue;
        Fault fault;
        fault.kind = k.kind;
        if (!k.takesAddress && !k.takesNumber) {
            if (eq == std::string_view::npos)
                return fault;
            error = "fault '" + std::string(name) + "' takes no argument";
            return std::nullopt;
        }
        std::string_view number = argument;
        if (k.takesAddress) {
            const std::size_t colon = argument.find(':');
            const std::string_view address = argument.substr(0, colon);
            number = colon == std::string_view::npos ? std::string_view() : argument.substr(colon + 1);
            if (address == "*") {
                fault.everyAddress = true;
            } else if (const auto a = ParseAddress(address)) {
                fault.address = *a;
            } else {
                error = "fault '" + std::string(text) + "': address must be 01-7F, BC, 80-9F or *";
                return std::nullopt;
            }
            if (!k.takesNumber && colon != std::string_view::npos) {
                error = "fault '" + std::string(text) + "' takes an address only";
                return std::nullopt;
            }
        }
        if (k.takesNumber) {
            const auto value = ParseNumber(number);
            if (!value || (k.kind == FaultKind::Short && *value > kRecordHexChars)) {
                error = "fault '" + std::string(text) + "': needs a number" +
                        (k.kind == FaultKind::Short ? " from 0 to 128" : "");
                return std::nullopt;
            }
            fault.value = *value;
        }
        return fault;
    }
    error = "unknown fault '" + std::string(text) + "'";
    return std::nullopt;
}

std::string FaultText(const Fault& fault)
{
    for (const KindName& k : kKinds) {
        if (k.kind != fault.kind)
            continue;
        std::string text(k.name);
        if (k.takesAddress)
            text += "=" + (fault.everyAddress ? std::string("*") : AddressText(fault.address));
        if (k.takesNumber)
            text += (k.takesAddress ? ":" : "=") + std::to_string(fault.value);
        return text;
    }
    return "?";
}

void FaultSet::Add(const Fault& fault)
{
    std::erase_if(m_faults, [&](const Fault& f) {
        return f.kind == fault.kind && f.everyAddress == fault.everyAddress && f.address == fault.address;
    });
    m_faults.push_back(fault);
}

bool FaultSet::Has(FaultKind kind) const
{
    for (const Fault& f : m_faults) {
        if (f.kind == kind)
            return true;
    }
    return false;
}

const Fault* FaultSet::Find(FaultKind kind, std::uint8_t address) const
{
    // The latest fault wins, so that an address added after "*" overrides it.
    for (auto it = m_faults.rbegin(); it != m_faults.rend(); ++it) {
        if (it->kind == kind && it->Matches(address))
            return &*it;
    }
    return nullptr;
}

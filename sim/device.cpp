// How the simulated device answers each command, faults included.
#include "sim/device.h"

#include "sim/default_image.h"

namespace
{

// The noise fault puts bytes before the first piece of every reply.
// With a gap, the bytes go one at a time, each the gap after the one before (a device that sends slowly).
void Send(std::vector<Output>& out, const FaultSet& faults, std::string bytes, std::uint32_t delayMs = 0,
          std::uint32_t gapMs = 0)
{
    if (faults.Has(FaultKind::Noise))
        bytes.insert(0, kNoiseBytes);
    if (gapMs == 0) {
        out.push_back(Output{delayMs, std::move(bytes)});
        return;
    }
    for (std::size_t k = 0; k < bytes.size(); ++k)
        out.push_back(Output{delayMs + static_cast<std::uint32_t>(k) * gapMs, bytes.substr(k, 1)});
}

} // namespace

Device::Device() : m_memory(DefaultMemory())
{
}

Device::Device(DeviceMemory memory) : m_memory(memory)
{
}

std::vector<Output> Device::Receive(std::string_view bytes, std::uint64_t nowMs)
{
    std::vector<Output> out;
    for (char byte : bytes) {
        if (auto command = m_assembler.Feed(byte)) {
            ++m_commandsReceived;
            if (m_observer)
                m_observer(nowMs, *command);
            Handle(*command, out);
        }
    }
    return out;
}

void Device::AddFault(const Fault& fault)
{
    if (fault.kind == FaultKind::VanishAfter)
        m_vanishBase = m_commandsReceived;
    if (fault.kind == FaultKind::AfterEndOnly)
        m_endReceived = false;
    m_faults.Add(fault);
}

bool Device::Answers() const
{
    if (m_faults.Has(FaultKind::Silent) || Babbling())
        return false;
    if (m_faults.Has(FaultKind::AfterEndOnly) && !m_endReceived)
        return false;
    for (const Fault& f : m_faults.All()) {
        if (f.kind == FaultKind::VanishAfter && m_commandsReceived > m_vanishBase + f.value)
            return false;
    }
    return true;
}

void Device::Handle(std::string_view command, std::vector<Output>& out)
{
    const Command parsed = ParseCommand(command);
    // A device that does not answer does not act on commands either; it only notices the end.
    const bool answers = Answers();
    if (parsed.kind == CommandKind::End)
        m_endReceived = true;
    if (!answers)
        return;
    switch (parsed.kind) {
    case CommandKind::Query: {
        const Fault* late = m_faults.Find(FaultKind::IdentLate, 0); // a fault without an address holds 0
        Send(out, m_faults, m_ident, late ? late->value : 0);
        break;
    }
    case CommandKind::Read:
        ReplyToRead(parsed.address, out);
        break;
    case CommandKind::Write:
        m_memory.WriteHex(parsed.address, parsed.data);
        Acknowledge(parsed.address, out);
        break;
    case CommandKind::End:
    case CommandKind::Unknown:
        break;
    }
}

void Device::ReplyToRead(std::uint8_t address, std::vector<Output>& out) const
{
    if (m_faults.Find(FaultKind::NoReply, address))
        return;
    std::string data = m_memory.ReadHex(address);
    if (const Fault* f = m_faults.Find(FaultKind::Short, address))
        data.resize(f->value);
    std::string reply = "$R" + AddressText(address) + data;
    if (!m_faults.Find(FaultKind::NoCr, address))
        reply += '\r';
    if (m_faults.Find(FaultKind::Trailing, address))
        reply += kTrailingBytes;
    const Fault* late = m_faults.Find(FaultKind::ReplyLate, address);
    const Fault* gap = m_faults.Find(FaultKind::ReplyGap, address);
    Send(out, m_faults, reply, late ? late->value : 0, gap ? gap->value : 0);
}

void Device::Acknowledge(std::uint8_t address, std::vector<Output>& out) const
{
    if (m_faults.Find(FaultKind::AckNever, address))
        return;
    std::string ack = "P" + AddressText(address) + "!\r";
    if (m_faults.Find(FaultKind::AckNoise, address))
        ack = std::string(kNoiseBytes) + ack + std::string(kNoiseBytes);
    const Fault* late = m_faults.Find(FaultKind::AckLate, address);
    const std::uint32_t delay = late ? late->value : 0;
    if (m_faults.Find(FaultKind::AckSplit, address)) {
        // Cut inside the address, the hardest place for a reader that looks for the whole ack.
        const std::size_t cut = ack.find('P') + 2;
        Send(out, m_faults, ack.substr(0, cut), delay);
        out.push_back(Output{delay + kSplitGapMs, ack.substr(cut)});
        return;
    }
    Send(out, m_faults, ack, delay);
}

// The simulated device's protocol core: it takes the bytes received on the line and returns
// what to send back, each piece with the delay after which it starts. No I/O and no clock of its
// own: the pseudo-terminal program and the in-process link both drive it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/command_parser.h"
#include "sim/device_memory.h"
#include "sim/faults.h"

// The identification text of a "Quendal 4" with the TETRA option.
inline constexpr std::string_view kDefaultIdent = "\x02Quendal 4 TETRA\rV 2.14\rTETRA-Option";

struct Output {
    std::uint32_t delayMs = 0; // counted from the time of the Receive call
    std::string bytes;
};

// Sees every complete command with the time its last byte came, whether the device answers it or not.
using CommandObserver = std::function<void(std::uint64_t atMs, std::string_view command)>;

class Device
{
  public:
    Device();
    explicit Device(DeviceMemory memory);

    // Takes bytes that arrived at nowMs and returns the replies they cause, in order.
    std::vector<Output> Receive(std::string_view bytes, std::uint64_t nowMs);

    DeviceMemory& Memory() { return m_memory; }
    const DeviceMemory& Memory() const { return m_memory; }

    void SetIdent(std::string text) { m_ident = std::move(text); }
    const std::string& Ident() const { return m_ident; }

    // vanish-after counts from the moment it is added; after-end-only waits for an end
    // command received after it was added.
    void AddFault(const Fault& fault);
    void ClearFaults() { m_faults.Clear(); }
    const FaultSet& Faults() const { return m_faults; }

    // While babbling the device answers nothing and its transport streams kBabbleText.
    bool Babbling() const { return m_faults.Has(FaultKind::Babble); }

    void SetCommandObserver(CommandObserver observer) { m_observer = std::move(observer); }
    std::uint64_t CommandsReceived() const { return m_commandsReceived; }

  private:
    void Handle(std::string_view command, std::vector<Output>& out);
    bool Answers() const;
    void ReplyToRead(std::uint8_t address, std::vector<Output>& out) const;
    void Acknowledge(std::uint8_t address, std::vector<Output>& out) const;

    DeviceMemory m_memory;
    std::string m_ident{kDefaultIdent};
    FaultSet m_faults;
    CommandAssembler m_assembler;
    CommandObserver m_observer;
    std::uint64_t m_commandsReceived = 0;
    std::uint64_t m_vanishBase = 0;
    bool m_endReceived = false;
};

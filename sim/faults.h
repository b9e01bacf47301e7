// Faults the simulated device can be told to show, written as on its command line:
// silent, babble, noise, no-reply=AA, no-cr=AA, trailing=AA, short=AA:N, reply-late=AA:MS,
// reply-gap=AA:MS, ident-late=MS, ack-never=AA, ack-late=AA:MS, ack-split=AA, ack-noise=AA, vanish-after=N,
// after-end-only.
// AA is a record address in upper-case hex ("05", "BC") or "*" for every address.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class FaultKind {
    Silent,       // answers nothing
    Babble,       // streams bytes without pause, whatever it receives
    Noise,        // bytes before every reply
    NoReply,      // no reply to a read of the address
    NoCr,         // read reply without its CR
    Trailing,     // bytes after the CR of a read reply
    Short,        // only N data characters in a read reply (value)
    ReplyLate,    // a read reply starts value ms late
    ReplyGap,     // the bytes of a read reply come value ms apart
    IdentLate,    // the identification reply starts value ms late
    AckNever,     // a write is stored but never acknowledged
    AckLate,      // the acknowledgement comes value ms late
    AckSplit,     // the acknowledgement comes in two pieces
    AckNoise,     // the acknowledgement comes wrapped in noise
    VanishAfter,  // answers nothing after value further commands
    AfterEndOnly, // answers nothing until it has received the end command
};

struct Fault {
    FaultKind kind = FaultKind::Silent;
    bool everyAddress = false;
    std::uint8_t address = 0;
    std::uint32_t value = 0;

    bool Matches(std::uint8_t a) const { return everyAddress || address == a; }
};

// What the faults send. Noise holds no '$', so it never looks like the start of a reply.
inline constexpr std::string_view kNoiseBytes = "~#~?";
inline constexpr std::string_view kTrailingBytes = "#~";
inline constexpr std::uint32_t kSplitGapMs = 150;
// A babbling line looks like a GPS receiver on the wrong port, repeating this sentence.
inline constexpr std::string_view kBabbleText =
    "$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,*76\r\n";

// The fault a command-line text names; nothing, with error set, for a text that names none.
std::optional<Fault> ParseFault(std::string_view text, std::string& error);

// The text that ParseFault reads back into the same fault.
std::string FaultText(const Fault& fault);

class FaultSet
{
  public:
    // A fault of a kind already set for the same address replaces it.
    void Add(const Fault& fault);
    void Clear() { m_faults.clear(); }

    bool Has(FaultKind kind) const;
    // The fault of this kind that applies to the address, if any.
    const Fault* Find(FaultKind kind, std::uint8_t address) const;
    const std::vector<Fault>& All() const { return m_faults; }

  private:
    std::vector<Fault> m_faults;
};

// The identification exchange and what a device's reply says about it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "link/byte_link.h"

inline constexpr char16_t kNoDeviceText[] = u"\rkein Gerät verbunden";
// What an action that needs an identified device says without one.
inline constexpr char16_t kDeviceMissingText[] = u"Kein Quendal 4 verbunden!";

enum class IdentOutcome {
    NoDevice,   // the reply lacks the device name
    Identified, // name and two CRs: the transfer buttons become usable
    Partial,    // name but fewer than two CRs: only the text changes
};

// A reply and what it says, as data: each front end shows it in its own way.
struct Identification {
    IdentOutcome outcome = IdentOutcome::NoDevice;
    std::u16string reply; // as it came, sign-extended
    // The reply from the device name on, split at its first two CRs: one piece for each line
    // begun, the last one with everything that follows. Empty without the name.
    std::vector<std::u16string> pieces;
    // The software, version and option lines: without LFs, the option line up to its CR or LF.
    std::u16string software, version, option;
};

// Drains stale input, sends the query and collects the reply as sign-extended text. With a
// patience, the first byte may take that long to come (`stopped` ends the waiting early).
std::u16string QueryIdentification(ByteLink& link, std::uint64_t patienceMs = 0,
                                   const std::function<bool()>& stopped = {});

// Looks for the device name and the two CRs after it; nothing in the lines is examined.
Identification EvaluateReply(const std::u16string& reply);

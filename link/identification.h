// The identification exchange and how a device's reply is shown.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "link/byte_link.h"

inline constexpr char16_t kNoDeviceText[] = u"\rkein Gerät verbunden";
// What an action that needs an identified device says without one.
inline constexpr char16_t kDeviceMissingText[] = u"Kein Quendal 4 verbunden!";

enum class IdentOutcome {
    NoDevice,   // the reply lacks the device name
    Identified, // name and two CRs: the transfer buttons become usable
    Partial,    // name but fewer than two CRs: only the text changes
};

struct IdentDisplay {
    IdentOutcome outcome;
    std::u16string text; // for the device information field
};

// Drains stale input, sends the query and collects the reply as sign-extended text. With a
// patience, the first byte may take that long to come (`stopped` ends the waiting early).
std::u16string QueryIdentification(ByteLink& link, std::uint64_t patienceMs = 0,
                                   const std::function<bool()>& stopped = {});

// Builds the labelled display text ("Software: ", "Version:\t    ", "Option:\t    ").
IdentDisplay EvaluateReply(const std::u16string& reply);

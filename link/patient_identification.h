// Identification for a command that runs once (the console): a device may answer late, or be
// plugged in only after the command was typed. The window needs none of this: it asks every second.
#pragma once

#include <cstdint>
#include <functional>

#include "link/byte_link.h"
#include "link/identification.h"

// How long each default try waits for the first byte of an answer; with the silence that ends the
// reply and the drains, the three tries take about two seconds when nothing answers.
inline constexpr std::uint64_t kIdentifyFirstByteMs[] = {0, 500, 1200};
// With a wait, one more try starts each second until the wait is over.
inline constexpr std::uint64_t kIdentifyRetryPeriodMs = 1000;

// Tries the identification until a device identifies itself: the default tries, then, while
// `waitMs` has not passed since the start, one try a second. Answers that come late for one try
// are drained before the next, so they are never taken as another try's reply. Returns the first
// identified reply; otherwise the most complete one seen (a partial one before none at all).
// `stopped` ends the waiting early (Ctrl+C, a failed port); `tried` sees each try's result.
Identification IdentifyPatiently(ByteLink& link, std::uint64_t waitMs = 0, const std::function<bool()>& stopped = {},
                                 const std::function<void(const Identification&)>& tried = {});

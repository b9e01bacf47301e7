// How the exchanges read a reply: one choice handed to them, the exchanges themselves stay one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "link/byte_link.h"

enum class ReplyReading {
    // A reply ends when the line falls silent (ReadUntilSilent): the specified reading.
    Silence,
    // A reply also ends at the CR that completes it, unless another byte follows back to back;
    // anything else falls back to the silence rule. Only q4k --fast: a real device's timing
    // after its CR is not known.
    WholeReply,
};

// A whole reply: exactly `length` bytes, starting with `head`, the last one a CR.
struct ReplyShape {
    std::string head;
    std::size_t length;
};

// A byte at 9600 baud takes about 1.04 ms; a byte not there this long after the CR does not
// follow back to back.
inline constexpr std::uint64_t kBackToBackMs = 3;

// Reads one reply the chosen way; with Silence exactly ReadUntilSilent.
std::string ReadReply(ByteLink& link, ReplyReading reading, const ReplyShape& whole);

// Before a request: with WholeReply, throws away bytes that came after the last reply was taken,
// without waiting for more; with Silence nothing is left to throw away.
void DrainLateBytes(ByteLink& link, ReplyReading reading);

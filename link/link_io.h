// Reading and writing on a byte link the way every exchange of this program does it:
// commands one byte per write, replies one byte per read until the line falls silent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "link/byte_link.h"

// A line that never falls silent (a wrong device streaming data) must not hold the
// program: reading "until silence" also ends after this much time or this many bytes.
// A real reply is under 140 bytes and takes under 200 ms, so neither cap cuts one.
inline constexpr std::uint64_t kSilenceCapMs = 500;
inline constexpr std::size_t kSilenceCapBytes = 2048;

// Writes the bytes one per write call; the counts the writes report are not looked at.
void WriteCommand(ByteLink& link, std::string_view bytes);

// Reads one byte at a time until a read returns none, or a cap above is reached.
std::string ReadUntilSilent(ByteLink& link);

// The same loop, except that once `complete` calls the bytes so far a whole reply, the next byte
// is waited for only `backToBackMs` (ByteLink::ReadWithin).
std::string ReadUntilSilent(ByteLink& link, const std::function<bool(std::string_view)>& complete,
                            std::uint64_t backToBackMs);

// Throws stale input away (same loop as ReadUntilSilent).
void Drain(ByteLink& link);

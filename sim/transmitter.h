// The device's transmit line: replies wait for their time, then go out one after the other,
// each byte taking the line's byte time (0: as fast as the reader takes them). Times are in
// microseconds on the caller's clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <optional>
#include <string>

// 10 bits a byte at 9600 baud.
inline constexpr std::uint64_t kByteTimeAt9600Us = 1042;

class Transmitter
{
  public:
    explicit Transmitter(std::uint64_t byteTimeUs = 0) : m_byteTimeUs(byteTimeUs) {}

    void SetByteTimeUs(std::uint64_t byteTimeUs) { m_byteTimeUs = byteTimeUs; }

    // Queues bytes to start no earlier than dueUs. A reply already on the line is finished
    // first; the others go out in the order of their due times.
    void Schedule(std::uint64_t dueUs, std::string bytes);

    // Bytes that have completely gone out by nowUs (at most max); they leave the line.
    std::string Take(std::uint64_t nowUs, std::size_t max = std::numeric_limits<std::size_t>::max());

    // When the next byte will have completely gone out; nothing while there is none to send.
    std::optional<std::uint64_t> NextByteDoneUs() const;

    bool Idle() const { return m_queue.empty(); }

  private:
    struct Piece {
        std::uint64_t dueUs;
        std::string bytes;
        std::size_t sent = 0;
    };

    std::uint64_t m_byteTimeUs;
    std::uint64_t m_lineFreeUs = 0; // when the last byte sent has gone out
    std::deque<Piece> m_queue;
};

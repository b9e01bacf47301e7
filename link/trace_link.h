// A byte link that passes everything through and logs each byte on the wire, for diagnosing
// adapters and cables: direction, milliseconds since the first byte, hexadecimal and text.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "link/byte_link.h"

// Bytes that follow each other in one direction share one line, so a command reads as one word:
//      12 ms  PC>  24 50 52 4F 47 53 54 41 52 54 01  |$PROGSTART.|
// A write that no byte answers before the next write (or the end) gets a line of its own
// that says how long the line stayed silent.
class TraceLink : public ByteLink
{
  public:
    TraceLink(ByteLink& inner, std::ostream& out) : m_inner(inner), m_out(out) {}
    ~TraceLink() override;

    std::size_t Write(const std::uint8_t* data, std::size_t n) override;
    std::size_t Read(std::uint8_t* data, std::size_t n) override;
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override;
    std::uint64_t NowMs() override { return m_inner.NowMs(); }

    // Writes out the line in hand (the destructor also notes a last write that nothing answered).
    void Flush();

  private:
    enum class Direction { None, Out, In };

    std::size_t NoteRead(const std::uint8_t* data, std::size_t got);
    void Record(Direction direction, std::uint64_t at, const std::uint8_t* data, std::size_t n);
    void NoteSilence();
    std::uint64_t Elapsed();

    ByteLink& m_inner;
    std::ostream& m_out;
    bool m_started = false;
    std::uint64_t m_startMs = 0;
    Direction m_direction = Direction::None;
    std::uint64_t m_lineMs = 0; // when the line in hand began
    std::string m_bytes;        // the bytes of the line in hand
    bool m_answered = true;     // a byte came in since the last write
    std::uint64_t m_lastWriteMs = 0;
    std::uint64_t m_lastEmptyReadMs = 0; // end of the last read that returned nothing
};

// One trace line: "<ms> ms  PC>  hex  |text|" (direction "Q4<" for received bytes); bytes
// outside 0x20-0x7E show as "." in the text column.
std::string TraceLine(std::uint64_t ms, bool outgoing, const std::string& bytes);

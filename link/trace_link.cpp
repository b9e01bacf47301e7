// The tracing byte link: lines of one direction each, with timestamps and silent writes marked.
#include "link/trace_link.h"

#include <cstdio>

namespace
{
constexpr const char* kOutLabel = "PC> ";
constexpr const char* kInLabel = "Q4< ";
} // namespace

std::string TraceLine(std::uint64_t ms, bool outgoing, const std::string& bytes)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%8llu ms  ", static_cast<unsigned long long>(ms));
    std::string line = stamp;
    line += outgoing ? kOutLabel : kInLabel;
    std::string text;
    for (char c : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", static_cast<unsigned char>(c));
        line += hex;
        text += (c >= 0x20 && c <= 0x7E) ? c : '.';
    }
    return line + "  |" + text + "|";
}

TraceLink::~TraceLink()
{
    NoteSilence();
    Flush();
}

std::uint64_t TraceLink::Elapsed()
{
    const std::uint64_t now = m_inner.NowMs();
    if (!m_started) {
        m_started = true;
        m_startMs = now;
    }
    return now - m_startMs;
}

std::size_t TraceLink::Write(const std::uint8_t* data, std::size_t n)
{
    const std::uint64_t at = Elapsed();
    NoteSilence();
    const std::size_t written = m_inner.Write(data, n);
    Record(Direction::Out, at, data, written);
    m_answered = false;
    m_lastWriteMs = Elapsed();
    return written;
}

std::size_t TraceLink::Read(std::uint8_t* data, std::size_t n)
{
    return NoteRead(data, m_inner.Read(data, n));
}

std::size_t TraceLink::ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs)
{
    return NoteRead(data, m_inner.ReadWithin(data, n, waitMs));
}

std::size_t TraceLink::NoteRead(const std::uint8_t* data, std::size_t got)
{
    const std::uint64_t at = Elapsed();
    if (got == 0) {
        m_lastEmptyReadMs = at;
        return 0;
    }
    Record(Direction::In, at, data, got);
    m_answered = true;
    return got;
}

// Bytes of one direction share a line; a change of direction starts the next one.
void TraceLink::Record(Direction direction, std::uint64_t at, const std::uint8_t* data, std::size_t n)
{
    if (m_direction != direction) {
        Flush();
        m_direction = direction;
        m_lineMs = at;
    }
    m_bytes.append(reinterpret_cast<const char*>(data), n);
}

// A write that nothing answered: the reads after it came back empty until now.
void TraceLink::NoteSilence()
{
    if (m_answered || m_lastEmptyReadMs <= m_lastWriteMs)
        return;
    Flush();
    char note[96];
    std::snprintf(note, sizeof note, "%8llu ms  Q4<  (keine Antwort, %llu ms Stille)",
                  static_cast<unsigned long long>(m_lastEmptyReadMs),
                  static_cast<unsigned long long>(m_lastEmptyReadMs - m_lastWriteMs));
    m_out << note << '\n';
    m_answered = true;
}

void TraceLink::Flush()
{
    if (m_direction == Direction::None)
        return;
    m_out << TraceLine(m_lineMs, m_direction == Direction::Out, m_bytes) << '\n';
    m_out.flush();
    m_bytes.clear();
    m_direction = Direction::None;
}

// Ordering and pacing of the device's replies on its line.
#include "sim/transmitter.h"

#include <algorithm>
#include <utility>

void Transmitter::Schedule(std::uint64_t dueUs, std::string bytes)
{
    if (bytes.empty())
        return;
    auto at = m_queue.begin();
    if (at != m_queue.end() && at->sent > 0)
        ++at;
    at = std::find_if(at, m_queue.end(), [&](const Piece& p) { return p.dueUs > dueUs; });
    m_queue.insert(at, Piece{dueUs, std::move(bytes)});
}

std::string Transmitter::Take(std::uint64_t nowUs, std::size_t max)
{
    std::string out;
    while (out.size() < max && !m_queue.empty()) {
        Piece& piece = m_queue.front();
        const std::uint64_t doneUs = std::max(m_lineFreeUs, piece.dueUs) + m_byteTimeUs;
        if (doneUs > nowUs)
            break;
        out.push_back(piece.bytes[piece.sent++]);
        m_lineFreeUs = doneUs;
        if (piece.sent == piece.bytes.size())
            m_queue.pop_front();
    }
    return out;
}

std::optional<std::uint64_t> Transmitter::NextByteDoneUs() const
{
    if (m_queue.empty())
        return std::nullopt;
    return std::max(m_lineFreeUs, m_queue.front().dueUs) + m_byteTimeUs;
}

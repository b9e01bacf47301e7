// Spotting "$R" + address and "$P" + address in what goes out, whether written whole or bytewise.
#include "cli/request_watch.h"

#include "transfer/hex_codec.h"

namespace
{
constexpr std::size_t kHeadLen = 4; // "$R" or "$P", then two address characters
}

std::size_t RequestWatch::Write(const std::uint8_t* data, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == '$')
            m_start = "$";
        else if (!m_start.empty() && m_start.size() < kHeadLen)
            m_start += c;
        else
            continue;
        if (m_start.size() == kHeadLen && (m_start[1] == 'R' || m_start[1] == 'P') && IsUpperHexDigit(m_start[2]) &&
            IsUpperHexDigit(m_start[3]))
            m_address = m_start.substr(2);
    }
    return m_inner.Write(data, n);
}

// The simulated device on simulated time behind a ByteLink.
#include "sim/in_process_link.h"

#include <cstring>
#include <utility>

SimLink::SimLink() : SimLink(Device())
{
}

SimLink::SimLink(Device device) : m_device(std::move(device))
{
    m_device.SetCommandObserver([this](std::uint64_t, std::string_view command) { m_commands.emplace_back(command); });
}

std::size_t SimLink::Write(const std::uint8_t* data, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i) {
        m_nowUs += kSimByteMs * 1000;
        const std::string_view byte(reinterpret_cast<const char*>(data + i), 1);
        for (Output& out : m_device.Receive(byte, NowMs()))
            m_line.Schedule(m_nowUs + out.delayMs * 1000ull, std::move(out.bytes));
    }
    return n;
}

std::size_t SimLink::Read(std::uint8_t* data, std::size_t n)
{
    if (n == 0)
        return 0;
    KeepBabbling();
    std::string got = m_line.Take(m_nowUs, n);
    if (got.empty()) {
        const auto next = m_line.NextByteDoneUs();
        if (!next || *next > m_nowUs + kSimReadTimeoutMs * 1000) {
            m_nowUs += kSimReadTimeoutMs * 1000;
            return 0;
        }
        m_nowUs = *next;
        got = m_line.Take(m_nowUs, n);
    }
    std::memcpy(data, got.data(), got.size());
    return got.size();
}

void SimLink::KeepBabbling()
{
    if (m_device.Babbling() && m_line.Idle())
        m_line.Schedule(m_nowUs, std::string(kBabbleText));
}

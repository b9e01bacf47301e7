// Bar drawing, rate and time left, and the tenth-of-the-way lines.
#include "cli/progress_meter.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int kBarWidth = 30;
constexpr char kClearToEnd[] = "\x1b[K";

std::string Minutes(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    return std::to_string(s / 60) + (s % 60 < 10 ? ":0" : ":") + std::to_string(s % 60);
}
} // namespace

std::string ProgressMeter::Start(const std::string& label, int total, std::uint64_t nowMs)
{
    std::string out = Finish();
    m_running = true;
    m_label = label;
    m_total = std::max(total, 0);
    m_done = 0;
    m_lastTenth = 0;
    m_startMs = nowMs;
    if (m_terminal)
        out += Bar(nowMs);
    return out;
}

std::string ProgressMeter::Update(int done, std::uint64_t nowMs)
{
    if (!m_running)
        return {};
    m_done = std::clamp(done, 0, m_total);
    if (m_terminal)
        return Bar(nowMs);
    if (m_total == 0)
        return {};
    const int tenth = m_done * 10 / m_total;
    if (tenth <= m_lastTenth)
        return {};
    m_lastTenth = tenth;
    char line[64];
    std::snprintf(line, sizeof line, " %3d %% (%d/%d)\n", tenth * 10, m_done, m_total);
    return m_label + line;
}

std::string ProgressMeter::Finish()
{
    if (!m_running)
        return {};
    m_running = false;
    return m_terminal ? "\n" : "";
}

std::string ProgressMeter::Bar(std::uint64_t nowMs) const
{
    const int filled = m_total == 0 ? kBarWidth : m_done * kBarWidth / m_total;
    std::string bar = "\r" + m_label + " [" + std::string(static_cast<std::size_t>(filled), '#') +
                      std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] ";
    const double seconds = static_cast<double>(nowMs - m_startMs) / 1000.0;
    char numbers[96];
    if (m_done > 0 && seconds > 0) {
        const double rate = m_done / seconds;
        std::snprintf(numbers, sizeof numbers, "%d/%d Datensätze  %.1f/s  noch %s", m_done, m_total, rate,
                      Minutes((m_total - m_done) / rate).c_str());
    } else {
        std::snprintf(numbers, sizeof numbers, "%d/%d Datensätze  --/s  noch -:--", m_done, m_total);
    }
    return bar + numbers + kClearToEnd;
}

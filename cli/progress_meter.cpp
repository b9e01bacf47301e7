// Bar drawing, rate and time left, and the tenth-of-the-way lines.
#include "cli/progress_meter.h"

#include <algorithm>
#include <cstdio>

namespace
{
constexpr int kBarWidth = 30;
constexpr int kMinBarWidth = 10;
constexpr char kClearToEnd[] = "\x1b[K";

std::string Minutes(double seconds)
{
    const long s = static_cast<long>(seconds + 0.5);
    return std::to_string(s / 60) + (s % 60 < 10 ? ":0" : ":") + std::to_string(s % 60);
}

// The columns a UTF-8 text takes: one per character.
int Columns(const std::string& text)
{
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

// The text's first characters that fit into `columns`.
std::string Cut(const std::string& text, int columns)
{
    std::size_t end = 0;
    for (int taken = 0; end < text.size(); ++end)
        if ((text[end] & 0xC0) != 0x80 && taken++ == columns)
            break;
    return text.substr(0, end);
}

// The numbers after the bar, from the fullest form (0) to the bare counts.
constexpr int kNumberForms = 3;
constexpr char kWidestPace[] = "  999.9/s  noch 99:59";

std::string Numbers(int form, const std::string& counts, const std::string& pace)
{
    return form == 0 ? counts + " Datensätze" + pace : form == 1 ? counts + pace : counts;
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
    const double seconds = static_cast<double>(nowMs - m_startMs) / 1000.0;
    char pace[64];
    if (m_done > 0 && seconds > 0) {
        const double rate = m_done / seconds;
        std::snprintf(pace, sizeof pace, "  %.1f/s  noch %s", rate, Minutes((m_total - m_done) / rate).c_str());
    } else {
        std::snprintf(pace, sizeof pace, "  --/s  noch -:--");
    }
    // The layout is chosen for the widest numbers of the phase, so the bar keeps its length while
    // it fills. The last column stays free: writing into it makes some terminals wrap. A narrow
    // terminal gets fewer words, then the bare counts, then a shortened label.
    const std::string total = std::to_string(m_total);
    const int room = m_columns - 1;
    const int frame = 4; // " [" and "] "
    std::string label = m_label;
    int level = 0;
    while (level < kNumberForms - 1 &&
           room - Columns(label) - frame - Columns(Numbers(level, total + "/" + total, kWidestPace)) < kMinBarWidth)
        ++level;
    const int widest = Columns(Numbers(level, total + "/" + total, kWidestPace));
    if (room - Columns(label) - frame - widest < kMinBarWidth)
        label = Cut(label, room - frame - widest - kMinBarWidth);
    const int width = std::min(kBarWidth, room - Columns(label) - frame - widest);
    const int filled = m_total == 0 ? width : m_done * width / m_total;
    return "\r" + label + " [" + std::string(static_cast<std::size_t>(filled), '#') +
           std::string(static_cast<std::size_t>(width - filled), '.') + "] " +
           Numbers(level, std::to_string(m_done) + "/" + total, pace) + kClearToEnd;
}

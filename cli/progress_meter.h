// The progress of a transfer phase as the console shows it: on a terminal one bar redrawn in
// place (records done, rate, time left) that fits the terminal's width; elsewhere one line at
// every tenth of the way.
#pragma once

#include <cstdint>
#include <string>

class ProgressMeter
{
  public:
    // The narrowest terminal the bar is fitted to; a narrower one wraps it.
    static constexpr int kMinColumns = 40;

    explicit ProgressMeter(bool terminal, int columns = 80)
        : m_terminal(terminal), m_columns(columns < kMinColumns ? kMinColumns : columns)
    {
    }

    // A phase of `total` records begins; returns what to write (UTF-8).
    std::string Start(const std::string& label, int total, std::uint64_t nowMs);
    std::string Update(int done, std::uint64_t nowMs);
    // Ends the bar's line, if one is drawn; nothing otherwise.
    std::string Finish();

    // A new label for the running phase, shown from the next update on.
    void Relabel(const std::string& label) { m_label = label; }

    bool Running() const { return m_running; }

  private:
    std::string Bar(std::uint64_t nowMs) const;

    bool m_terminal;
    int m_columns;
    bool m_running = false;
    std::string m_label;
    int m_total = 0;
    int m_done = 0;
    int m_lastTenth = 0;
    std::uint64_t m_startMs = 0;
};

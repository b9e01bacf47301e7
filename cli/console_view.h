// The console's transfer view: status texts and messages on the error stream, progress through
// a ProgressMeter; the window's message boxes become lines "caption: text".
#pragma once

#include <chrono>
#include <functional>
#include <ostream>
#include <string>

#include "cli/progress_meter.h"
#include "transfer/transfer_view.h"

class ConsoleView : public TransferView
{
  public:
    // Asked whether the user stopped the transfer (Ctrl+C): its failure is then no news.
    using StopQuery = std::function<bool()>;

    // quiet: no status texts and no progress, only messages. An empty status text shows nothing.
    // columns: the terminal's width, which the bar fits. After a stop, failures show nothing.
    ConsoleView(std::ostream& err, bool terminal, bool quiet, int columns = 80, StopQuery stopped = nullptr);
    ~ConsoleView() override;

    void SetStatus(const std::u16string& text, StatusKind kind) override;
    void SetProgressRange(std::uint16_t upper) override;
    void SetProgressStep(int step) override;
    void SetProgressPos(int pos) override;
    void StepProgress() override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) override;
    void ShowFileError(const std::u16string& text) override;

    // Called at each message, so that the caller can note where the transfer stood.
    void OnMessage(std::function<void()> hook) { m_onMessage = std::move(hook); }

  private:
    std::uint64_t NowMs() const;
    void Emit(const std::string& text);
    bool Stopped() const { return m_stopped && m_stopped(); }

    std::ostream& m_err;
    bool m_quiet;
    ProgressMeter m_meter;
    StopQuery m_stopped;
    std::function<void()> m_onMessage;
    std::string m_label;
    std::uint16_t m_upper = 0;
    bool m_newRange = false; // a range was set and no position since
    int m_step = 1;
    int m_pos = 0;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The console's transfer view: status texts and messages on the error stream, progress through
// a ProgressMeter; the window's message boxes become lines "caption: text".
#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "cli/progress_meter.h"
#include "transfer/transfer_view.h"

class ConsoleView : public TransferView
{
  public:
    // quiet: no status texts and no progress, only messages. An empty status text shows nothing.
    ConsoleView(std::ostream& err, bool terminal, bool quiet);
    ~ConsoleView() override;

    void SetStatus(const std::u16string& text, StatusKind kind) override;
    void SetProgressRange(std::uint16_t upper) override;
    void SetProgressStep(int step) override;
    void SetProgressPos(int pos) override;
    void StepProgress() override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) override;
    void ShowFileError(const std::u16string& text) override;

  private:
    std::uint64_t NowMs() const;
    void Emit(const std::string& text);

    std::ostream& m_err;
    bool m_quiet;
    ProgressMeter m_meter;
    std::string m_label;
    std::uint16_t m_upper = 0;
    bool m_newRange = false; // a range was set and no position since
    int m_step = 1;
    int m_pos = 0;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

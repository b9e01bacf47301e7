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
    // quiet: no status texts and no progress, only messages. An empty final text shows nothing,
    // and neither does the end of a transfer the user stopped.
    // columns: the terminal's width, which the bar fits.
    ConsoleView(std::ostream& err, bool terminal, bool quiet, int columns = 80);
    ~ConsoleView() override;

    void PhaseBegun(const std::u16string& text, std::size_t records) override;
    void PhaseRelabelled(const std::u16string& text) override;
    void RecordUnderWay(const std::string& address) override;
    void RecordFailed(const std::string& address, const std::u16string& text, const std::u16string& caption,
                      MessageIcon icon) override;
    void PhaseCut() override;
    void FileFailed(const std::u16string& text) override;
    void TransferEnded(TransferOutcome outcome, const std::u16string& text) override;

    // "Datensatz 5A " and what went wrong there, for the first record that failed; nothing when
    // none did or the user stopped the transfer.
    void NameFailedRecord(const char* what);

  private:
    std::uint64_t NowMs() const;
    void Emit(const std::string& text);

    std::ostream& m_err;
    bool m_quiet;
    ProgressMeter m_meter;
    int m_done = 0; // records of the running phase under way or done
    std::string m_failedRecord;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

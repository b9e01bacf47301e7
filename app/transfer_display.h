// How the main window shows a transfer: its status line, its progress bar and its boxes, driven
// by the exchange's events. Portable, so that the mapping is tested without a window.
#pragma once

#include <cstdint>
#include <string>

#include "transfer/transfer_view.h"

// The main window's controls as a transfer worker reaches them.
class TransferControls
{
  public:
    virtual ~TransferControls() = default;

    // Status line (control 1002).
    virtual void SetStatus(const std::u16string& text) = 0;

    // Progress bar (control 1001): range 0..upper, step, position, one step forward.
    virtual void SetProgressRange(std::uint16_t upper) = 0;
    virtual void SetProgressStep(int step) = 0;
    virtual void SetProgressPos(int pos) = 0;
    virtual void StepProgress() = 0;

    // Modal message box owned by the main window; returns when the user closed it.
    virtual void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) = 0;

    // The framework's file-error box: the text names the file, the caption is the application's name.
    virtual void ShowFileError(const std::u16string& text) = 0;
};

class TransferDisplay : public TransferView
{
  public:
    explicit TransferDisplay(TransferControls& controls) : m_controls(controls) {}

    void PhaseBegun(const std::u16string& text, std::size_t records) override;
    void PhaseRelabelled(const std::u16string& text) override;
    void RecordUnderWay(const std::string& address) override;
    void RecordFailed(const std::string& address, const std::u16string& text, const std::u16string& caption,
                      MessageIcon icon) override;
    void PhaseCut() override;
    void FileFailed(const std::u16string& text) override;
    void TransferEnded(TransferOutcome outcome, const std::u16string& text) override;

  private:
    TransferControls& m_controls;
};

// What a transfer worker does to the main window. The main window implements it
// with window messages; tests record the calls.
#pragma once

#include <cstdint>
#include <string>

enum class MessageIcon { None, Stop, Exclamation, Information };

// What a status text reports: a phase under way, or the transfer's outcome.
enum class StatusKind { Running, Done, Failed };

class TransferView
{
  public:
    virtual ~TransferView() = default;

    // Status line (control 1002).
    virtual void SetStatus(const std::u16string& text, StatusKind kind) = 0;

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

// The main window's transfer controls as a worker reaches them: every change goes to the
// window's controls as a message, carried out by the user-interface thread.
#pragma once

#include <windows.h>

#include "app/transfer_display.h"

class WindowTransferControls : public TransferControls
{
  public:
    explicit WindowTransferControls(HWND mainWindow) : m_hWnd(mainWindow) {}

    void SetStatus(const std::u16string& text) override;
    void SetProgressRange(std::uint16_t upper) override;
    void SetProgressStep(int step) override;
    void SetProgressPos(int pos) override;
    void StepProgress() override;
    void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) override;
    void ShowFileError(const std::u16string& text) override;

  private:
    LRESULT SendToProgress(UINT message, WPARAM wParam, LPARAM lParam);
    HWND m_hWnd;
};

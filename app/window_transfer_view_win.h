// The main window as seen by a transfer worker: every change goes to the
// window's controls as a message, carried out by the user-interface thread.
#pragma once

#include <windows.h>

#include "transfer/transfer_view.h"

class WindowTransferView : public TransferView
{
  public:
    explicit WindowTransferView(HWND mainWindow) : m_hWnd(mainWindow) {}

    void SetStatus(const std::u16string& text, StatusKind kind) override;
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

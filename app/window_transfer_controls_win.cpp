// Status line, progress bar and message boxes of the main window for the workers.
#include "app/window_transfer_controls_win.h"

#include <commctrl.h>

#include "framework/app_win.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

void WindowTransferControls::SetStatus(const std::u16string& text)
{
    ::SetDlgItemTextW(m_hWnd, IDC_STATUS, ToWide(text).c_str());
}

void WindowTransferControls::SetProgressRange(std::uint16_t upper)
{
    SendToProgress(PBM_SETRANGE, 0, MAKELPARAM(0, upper));
}

void WindowTransferControls::SetProgressStep(int step)
{
    SendToProgress(PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void WindowTransferControls::SetProgressPos(int pos)
{
    SendToProgress(PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void WindowTransferControls::StepProgress()
{
    SendToProgress(PBM_STEPIT, 0, 0);
}

void WindowTransferControls::ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon)
{
    UINT type = MB_OK;
    switch (icon) {
    case MessageIcon::Stop:
        type |= MB_ICONSTOP;
        break;
    case MessageIcon::Exclamation:
        type |= MB_ICONEXCLAMATION;
        break;
    case MessageIcon::Information:
        type |= MB_ICONINFORMATION;
        break;
    case MessageIcon::None:
        break;
    }
    ::MessageBoxW(m_hWnd, ToWide(text).c_str(), ToWide(caption).c_str(), type);
}

void WindowTransferControls::ShowFileError(const std::u16string& text)
{
    ShowMessage(text, FromWide(AfxGetApp()->m_pszAppName), MessageIcon::Exclamation);
}

LRESULT WindowTransferControls::SendToProgress(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, message, wParam, lParam);
}

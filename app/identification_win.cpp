// The identification tick: query the device once a second and show what it reports.
#include "app/identification_text.h"
#include "app/main_dlg_win.h"
#include "link/com_port_win.h"
#include "link/identification.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

void CQ4_BackupDlg::OnTimer(UINT_PTR id)
{
    if (m_strPortPath.size() < 4 || id != IDENT_TIMER_ID || m_nState.load() != STATE_IDLE)
        return;
    if (OpenComPort(m_strPortPath) != 1)
        return;

    ComLink link(m_hPort);
    const std::wstring reply = ToWide(QueryIdentification(link));
    if (reply == m_strLastReply)
        return;
    m_strLastReply = reply;

    const Identification ident = EvaluateReply(FromWide(reply));
    switch (ident.outcome) {
    case IdentOutcome::NoDevice:
        ::SetDlgItemTextW(m_hWnd, IDC_STATUS, L"");
        EnableTransferButtons(false);
        m_bDeviceFound = 0;
        m_progress.SetPos(0);
        break;
    case IdentOutcome::Identified:
        EnableTransferButtons(true);
        m_bDeviceFound = 1;
        m_progress.SetPos(kIdentifiedProgress);
        break;
    case IdentOutcome::Partial:
        break;
    }
    ::SetDlgItemTextW(m_hWnd, IDC_DEVICE_INFO, ToWide(IdentificationDisplayText(ident)).c_str());
}

// The identification tick: query the device once a second and show what it reports.
#include "app/identification_text.h"
#include "app/main_dlg_win.h"
#include "link/com_port_win.h"
#include "link/identification.h"
#include "link/port_action.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

void CQ4_BackupDlg::OnTimer(UINT_PTR id)
{
    if (id != IDENT_TIMER_ID)
        return;
    const TickSituation now{m_nState.load() == STATE_IDLE, m_strPortPath.size() >= 4, m_hPort != INVALID_HANDLE_VALUE,
                            m_bPortVanished};
    switch (NextTickStep(now)) {
    case TickStep::Skip:
        return;
    case TickStep::Scan:
        if (!LookForPorts() || OpenPort(m_strPortPath, false) != 1)
            return;
        break;
    case TickStep::Open:
        if (OpenComPort(m_strPortPath) != 1)
            return;
        break;
    case TickStep::OpenSilently:
        if (OpenPort(m_strPortPath, false) != 1)
            return;
        m_bPortVanished = false;
        break;
    case TickStep::Query:
        break;
    }

    ComLink link(m_hPort);
    const std::wstring reply = ToWide(QueryIdentification(link));
    if (link.DeviceError()) {
        ForgetVanishedPort();
        ::SetDlgItemTextW(m_hWnd, IDC_STATUS, L"");
        return;
    }
    if (reply == m_strLastReply)
        return;
    m_strLastReply = reply;

    const Identification ident = EvaluateReply(FromWide(reply));
    switch (ident.outcome) {
    case IdentOutcome::NoDevice:
        ::SetDlgItemTextW(m_hWnd, IDC_STATUS, L"");
        ShowNoDevice();
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

void CQ4_BackupDlg::ShowNoDevice()
{
    EnableTransferButtons(false);
    m_bDeviceFound = 0;
    m_progress.SetPos(0);
}

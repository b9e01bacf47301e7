// The main window's port handling: opening the current port, the port list and its saved choice.
#include "app/main_dlg_win.h"
#include "framework/app_win.h"
#include "framework/message_box_win.h"
#include "link/com_port_win.h"
#include "link/device_commands.h"
#include "platform/wide_win.h"

namespace
{
const wchar_t kPrevComEntry[] = L"PrevCOM";
}

int CQ4_BackupDlg::OpenComPort(const std::wstring& devicePath)
{
    if (m_hPort != INVALID_HANDLE_VALUE)
        return 1;
    // Timer ticks keep coming while a failure box of an earlier call is open: they must not stack another.
    if (m_bPortMessageOpen)
        return -1;
    m_hPort = OpenComDevice(devicePath);
    if (m_hPort == INVALID_HANDLE_VALUE) {
        m_bPortMessageOpen = true;
        ::MessageBoxW(m_hWnd, L"Kein freier Port vorhanden!", L"Fehler", MB_OK | MB_ICONEXCLAMATION);
        m_bPortMessageOpen = false;
        return -1;
    }
    switch (ConfigureComPort(m_hPort)) {
    case LineSetup::Ok:
        return 1;
    case LineSetup::ModeRefused:
        m_bPortMessageOpen = true;
        AfxMessageBox(std::wstring(L"BuildCommDCB failed"), MB_OK);
        m_bPortMessageOpen = false;
        break;
    case LineSetup::StateRefused:
        break;
    }
    // A port without its line settings must never count as open.
    ClosePort();
    return -1;
}

void CQ4_BackupDlg::ClosePort()
{
    if (m_hPort != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hPort);
        m_hPort = INVALID_HANDLE_VALUE;
    }
}

void CQ4_BackupDlg::SendEndCommand()
{
    ComLink link(m_hPort);
    ::SendEndCommand(link);
}

void CQ4_BackupDlg::RefreshPortList(bool restorePrevious)
{
    ::SetTimer(m_hWnd, IDENT_TIMER_ID, kIdentPeriodMs, nullptr);
    ClosePort();
    ::Sleep(10);

    while (m_cbPort.GetCount() > 0)
        m_cbPort.DeleteString(0);
    // Also clears the edit field, whose old text would otherwise select its item again on drop-down.
    m_cbPort.SetCurSel(-1);
    ScanComPorts(m_aPortTable); // empties the table before it scans

    PortChoice choice{m_bFirstPortTaken != 0, FromWide(m_strPortPath)};
    const PortList list = BuildPortList(m_aPortTable, choice);
    m_aListedPorts = list.listedPorts;
    for (const std::u16string& item : list.items)
        m_cbPort.AddString(ToWide(item));
    if (list.selection >= 0)
        m_cbPort.SetCurSel(list.selection);
    m_bFirstPortTaken = choice.firstPortTaken ? 1 : 0;
    m_strPortPath = ToWide(choice.portPath);

    if (!restorePrevious)
        return;
    const std::wstring saved = AfxGetApp()->GetProfileString(L"", kPrevComEntry);
    m_cbPort.SetCurSel(SelectSavedPort(m_aListedPorts, FromWide(saved)));
    OnCloseupPort();
}

void CQ4_BackupDlg::OnDropdownPort()
{
    m_nState = STATE_PORTLIST;
    ClosePort();
    RefreshPortList(false);
}

void CQ4_BackupDlg::OnCloseupPort()
{
    ClosePort();
    ::Sleep(10);
    m_nState = STATE_IDLE;
    const int selection = m_cbPort.GetCurSel();
    const auto port = PortAfterCloseup(m_aListedPorts, selection);
    if (!port)
        return;
    if (selection < 0)
        m_cbPort.SetCurSel(0);
    m_strPortPath = ToWide(*port);
    AfxGetApp()->WriteProfileString(L"", kPrevComEntry, m_strPortPath);
}

// The main window's port handling: opening the current port, the port list and its saved choice.
#include "app/main_dlg_win.h"
#include "framework/app_win.h"
#include "framework/message_box_win.h"
#include "link/com_port_win.h"
#include "link/device_commands.h"
#include "link/identification.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

namespace
{
const wchar_t kPrevComEntry[] = L"PrevCOM";
}

int CQ4_BackupDlg::OpenComPort(const std::wstring& devicePath)
{
    return OpenPort(devicePath, true);
}

int CQ4_BackupDlg::OpenPort(const std::wstring& devicePath, bool tell)
{
    if (m_hPort != INVALID_HANDLE_VALUE)
        return 1;
    // Timer ticks keep coming while a failure box of an earlier call is open: they must not stack another.
    if (m_bPortMessageOpen)
        return -1;
    m_hPort = OpenComDevice(devicePath);
    if (m_hPort == INVALID_HANDLE_VALUE) {
        if (!tell)
            return -1;
        m_bPortMessageOpen = true;
        ::MessageBoxW(m_hWnd, L"Kein freier Port vorhanden!", L"Fehler", MB_OK | MB_ICONEXCLAMATION);
        m_bPortMessageOpen = false;
        return -1;
    }
    switch (ConfigureComPort(m_hPort)) {
    case LineSetup::Ok:
        return 1;
    case LineSetup::ModeRefused:
        if (!tell)
            break;
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

void CQ4_BackupDlg::ForgetVanishedPort()
{
    ClosePort();
    m_bPortVanished = true;
    // The device's next answer, even the same as before, is then news and identifies it again.
    m_strLastReply.clear();
    ShowNoDevice();
    ::SetDlgItemTextW(m_hWnd, IDC_DEVICE_INFO, ToWide(kNoDeviceText).c_str());
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
    ScanComPorts(m_aPortTable); // empties the table before it scans
    FillPortList();

    if (!restorePrevious)
        return;
    m_cbPort.SetCurSel(SelectSavedPort(m_aListedPorts, FromWide(SavedPort())));
    OnCloseupPort();
}

bool CQ4_BackupDlg::LookForPorts()
{
    ScanComPorts(m_aPortTable);
    FillPortList();
    if (m_aListedPorts.empty())
        return false;
    // The saved choice stays as it is: finding a port is the program's doing, not the user's.
    const int selection = SelectSavedPort(m_aListedPorts, FromWide(SavedPort()));
    m_cbPort.SetCurSel(selection);
    m_strPortPath = ToWide(m_aListedPorts[static_cast<std::size_t>(selection)]);
    return true;
}

std::wstring CQ4_BackupDlg::SavedPort() const
{
    return AfxGetApp()->GetProfileString(L"", kPrevComEntry);
}

void CQ4_BackupDlg::FillPortList()
{
    while (m_cbPort.GetCount() > 0)
        m_cbPort.DeleteString(0);
    // Also clears the edit field, whose old text would otherwise select its item again on drop-down.
    m_cbPort.SetCurSel(-1);

    PortChoice choice{m_bFirstPortTaken != 0, FromWide(m_strPortPath)};
    const PortList list = BuildPortList(m_aPortTable, choice);
    m_aListedPorts = list.listedPorts;
    for (const std::u16string& item : list.items)
        m_cbPort.AddString(ToWide(item));
    if (list.selection >= 0)
        m_cbPort.SetCurSel(list.selection);
    m_bFirstPortTaken = choice.firstPortTaken ? 1 : 0;
    m_strPortPath = ToWide(choice.portPath);
}

void CQ4_BackupDlg::OnDropdownPort()
{
    m_nState = STATE_PORTLIST;
    // From the user's own choice on, a port that cannot be opened is told again.
    m_bPortVanished = false;
    ClosePort();
    RefreshPortList(false);
}

void CQ4_BackupDlg::OnCloseupPort()
{
    ClosePort();
    ::Sleep(10);
    m_nState = STATE_IDLE;
    m_bPortVanished = false;
    const int selection = m_cbPort.GetCurSel();
    const auto port = PortAfterCloseup(m_aListedPorts, selection);
    if (!port)
        return;
    if (selection < 0)
        m_cbPort.SetCurSel(0);
    m_strPortPath = ToWide(*port);
    AfxGetApp()->WriteProfileString(L"", kPrevComEntry, m_strPortPath);
}

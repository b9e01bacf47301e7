// The main window: start-up, system menu, painting, help and the ways out.
#include "app/main_dlg_win.h"

#include "app/about_dlg_win.h"
#include "editor/erweitert_win.h"
#include "framework/message_box_win.h"
#include "resources/resource.h"

int g_cxMainDlg = 0;
int g_cyMainDlg = 0;
RECT g_rcMainWnd = {};
int g_cxScreen = 0;
int g_cyScreen = 0;

namespace
{
const wchar_t kBusyText[] = L"Bitte warten Sie zunächst das Ende des laufenden Prozesses ab.";
}

CQ4_BackupDlg::CQ4_BackupDlg(HWND parent) : CMainDlgShared(IDD_Q4_BACKUP_DIALOG, parent)
{
    m_hIcon = static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                              0, 0, LR_DEFAULTSIZE | LR_SHARED));
    g_cxMainDlg = 218;
    g_cyMainDlg = 149;
}

CQ4_BackupDlg::~CQ4_BackupDlg() = default;

void CQ4_BackupDlg::DoDataExchange(CDataExchange* dx)
{
    DDX_Control(dx, IDC_PORT, m_cbPort);
    DDX_Control(dx, IDC_PROGRESS, m_progress);
}

BOOL CQ4_BackupDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The identification's position then shows as a full bar rather than clipped to 100.
    m_progress.SetRange(kIdentifiedProgress);

    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        wchar_t about[256] = {};
        if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, about, 256) > 0 && about[0] != L'\0') {
            ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuW(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    HICON small =
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small ? small : m_hIcon));
    return TRUE;
}

BOOL CQ4_BackupDlg::OnCommand(UINT id, UINT code, HWND)
{
    switch (id) {
    case IDC_PORT:
        if (code == CBN_DROPDOWN)
            OnDropdownPort();
        else if (code == CBN_CLOSEUP)
            OnCloseupPort();
        return TRUE;
    case IDC_FILE_TO_DEVICE:
        if (code == BN_CLICKED)
            OnFileToDevice();
        return TRUE;
    case IDC_DEVICE_TO_FILE:
        if (code == BN_CLICKED)
            OnDeviceToFile();
        return TRUE;
    case IDC_HELP_BUTTON:
        if (code == BN_CLICKED)
            OnHelp();
        return TRUE;
    case IDC_ADVANCED:
        if (code == BN_CLICKED)
            OnAdvanced();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CQ4_BackupDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_SYSCOMMAND:
        OnSysCommand(static_cast<UINT>(wParam), lParam, handled);
        return 0;
    case WM_PAINT:
        handled = OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        handled = true;
        return reinterpret_cast<INT_PTR>(m_hIcon);
    case WM_SHOWWINDOW:
        // Status 0: shown or hidden by a direct request, as at the first display.
        RefreshPortList(lParam == 0);
        return 0;
    case WM_TIMER:
        handled = true;
        OnTimer(wParam);
        return 0;
    case WM_QUERYENDSESSION:
        // A restore cut off halfway leaves the device half written: the session waits for its end.
        if (TransferRunning()) {
            handled = true;
            return FALSE;
        }
        return 0;
    case WM_TRANSFER_ENDED:
        handled = true;
        OnTransferEnded(wParam == kTransferAborted, lParam == kPortVanished);
        return 0;
    default:
        return 0;
    }
}

void CQ4_BackupDlg::OnSysCommand(UINT id, LPARAM, bool& handled)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        handled = true;
        CAboutDlg about(m_hWnd);
        about.DoModal();
    }
}

bool CQ4_BackupDlg::OnPaint()
{
    bool painted = false;
    if (::IsIconic(m_hWnd)) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(m_hWnd, &ps);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        const int cxIcon = ::GetSystemMetrics(SM_CXICON);
        const int cyIcon = ::GetSystemMetrics(SM_CYICON);
        const int x = (client.right - client.left - cxIcon + 1) / 2;
        const int y = (client.bottom - client.top - cyIcon + 1) / 2;
        ::DrawIcon(dc, x, y, m_hIcon);
        ::EndPaint(m_hWnd, &ps);
        painted = true;
    }
    g_cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    g_cyScreen = ::GetSystemMetrics(SM_CYSCREEN);
    ::GetWindowRect(m_hWnd, &g_rcMainWnd);
    return painted;
}

void CQ4_BackupDlg::OnHelp()
{
    AboutBox help(m_hWnd);
    help.DoModal();
}

void CQ4_BackupDlg::OnAdvanced()
{
    Erweitert editor(this, this);
    editor.DoModal();
}

bool CQ4_BackupDlg::TransferRunning() const
{
    const std::uint8_t state = m_nState.load();
    return state == STATE_BACKUP || state == STATE_RESTORE;
}

bool CQ4_BackupDlg::MayClose()
{
    if (m_nState.load() == STATE_IDLE)
        return true;
    AfxMessageBox(std::wstring(kBusyText), MB_OK | MB_ICONINFORMATION);
    return false;
}

void CQ4_BackupDlg::OnOK()
{
    if (!MayClose())
        return;
    if (OpenComPort(m_strPortPath) == 1)
        SendEndCommand();
    EndDialog(IDOK);
}

void CQ4_BackupDlg::OnCancel()
{
    // Close box, Esc and Alt+F4 close without the end command, but never under a running worker.
    if (MayClose())
        EndDialog(IDCANCEL);
}

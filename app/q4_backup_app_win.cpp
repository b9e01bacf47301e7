// Program start: common controls, the profile's key, and the main window run modally.
#include "app/q4_backup_app_win.h"

#include <commctrl.h>

#include "app/main_dlg_win.h"

namespace
{
CQ4_BackupApp theApp;
}

BOOL CQ4_BackupApp::InitInstance()
{
    INITCOMMONCONTROLSEX init{};
    init.dwSize = sizeof(init);
    init.dwICC = 0xFF;
    ::InitCommonControlsEx(&init);

    AfxEnableControlContainer();
    SetRegistryKey(L"Vom lokalen Anwendungs-Assistenten generierte Anwendungen");

    CQ4_BackupDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // No message loop of the application's own: the program ends here.
    return FALSE;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return AfxWinMain(instance);
}

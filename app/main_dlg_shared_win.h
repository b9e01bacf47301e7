// The main window's part that the editor reaches directly: the fields it shares, the calls that
// send a file or tell that it could not be sent, and the placement values the main window writes.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "app/activity_state.h"
#include "framework/dialog_win.h"

// Placement values for the editor window, written by the main window.
extern int g_cxMainDlg;
extern int g_cyMainDlg;
extern RECT g_rcMainWnd;
extern int g_cxScreen;
extern int g_cyScreen;

class CMainDlgShared : public CDialog
{
  public:
    using CDialog::CDialog;

    // 1 when the port is open afterwards, -1 on failure (reported here).
    virtual int OpenComPort(const std::wstring& devicePath) = 0;
    // Marks a restore as running and starts its worker (the port must be open).
    virtual bool StartRestore() = 0;
    // The failed status of the backup (STATE_BACKUP) or the restore, for one that could not start.
    virtual void ShowFailedStatus(std::uint8_t state) = 0;

    // Fields, UI-thread owned unless noted.
    std::wstring m_strPortPath;
    std::atomic<std::uint8_t> m_nState{STATE_IDLE}; // shared with the workers
    std::wstring m_strRestoreFile;                  // copied for the restore worker as it starts
    std::uint8_t m_bDeviceFound = 0;
};

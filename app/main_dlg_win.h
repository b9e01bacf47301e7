// The main window: port list, device information, status line, progress bar, the
// transfer buttons, and the fields that the workers share.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/main_dlg_shared_win.h"
#include "framework/data_exchange_win.h"
#include "framework/dialog_win.h"
#include "framework/file_win.h"
#include "framework/standard_controls_win.h"
#include "link/port_list.h"

// Posted by a worker when it has finished with the port, the file and the window's controls;
// wParam kTransferAborted when an exception stopped it before its final status, lParam
// kPortVanished when the port failed with a device error.
inline constexpr UINT WM_TRANSFER_ENDED = WM_APP + 1;
inline constexpr WPARAM kTransferAborted = 1;
inline constexpr LPARAM kPortVanished = 1;

// The identification timer and its period.
inline constexpr UINT_PTR IDENT_TIMER_ID = 1;
inline constexpr UINT kIdentPeriodMs = 1000;

// Progress position that shows an identified device (a full bar).
inline constexpr int kIdentifiedProgress = 381;

class CQ4_BackupDlg : public CMainDlgShared
{
  public:
    explicit CQ4_BackupDlg(HWND parent = nullptr);
    ~CQ4_BackupDlg() override;

    int OpenComPort(const std::wstring& devicePath) override;
    void ClosePort();
    // Closes a port whose device went away; the identification then looks for it again, silently.
    void ForgetVanishedPort();
    void SendEndCommand();

    // Worker procedures; the parameter is the main window.
    static DWORD WINAPI BackupThreadProc(LPVOID param);
    static DWORD WINAPI RestoreThreadProc(LPVOID param);
    bool StartRestore() override;
    void ShowFailedStatus(std::uint8_t state) override;

    // Fields besides the shared ones, UI-thread owned unless noted.
    std::uint8_t m_bFirstPortTaken = 0;
    std::vector<std::u16string> m_aListedPorts; // device paths parallel to the list items
    CComboBox m_cbPort;
    CProgressCtrl m_progress;
    HANDLE m_hPort = INVALID_HANDLE_VALUE; // used by a worker while m_nState is not idle
    PortTable m_aPortTable;
    std::wstring m_strBackupFile; // the backup's destination, as chosen
    std::wstring m_strLastReply;
    HICON m_hIcon = nullptr;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT id, UINT code, HWND control) override;
    void OnOK() override;
    void OnCancel() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    void OnSysCommand(UINT id, LPARAM lParam, bool& handled);
    bool OnPaint();
    void OnTimer(UINT_PTR id);
    // Buttons, flag and progress of the no-device state; the caller sets the texts.
    void ShowNoDevice();
    void RefreshPortList(bool restorePrevious);
    // The list from the last scan (m_aPortTable); the first port listed ever becomes current.
    void FillPortList();
    // The identification's own search when no port is listed: true when it made one current.
    bool LookForPorts();
    std::wstring SavedPort() const;
    // OpenComPort, telling a failure only when `tell` is set.
    int OpenPort(const std::wstring& devicePath, bool tell);
    void OnDropdownPort();
    void OnCloseupPort();
    void OnFileToDevice();
    void OnDeviceToFile();
    // The transfer buttons' common start: a device found and a file chosen.
    bool ChooseFile(BOOL openDialog, std::wstring& path);
    // The port, the destination's temporary file and the worker; false when one of them failed.
    bool StartBackup();
    void OnHelp();
    void OnAdvanced();
    bool TransferRunning() const;
    // The busy guard of every way out: true when the window may close.
    bool MayClose();
    // Transfer start: state and controls before the worker thread runs.
    bool StartWorker(std::uint8_t state, LPTHREAD_START_ROUTINE proc);
    // A worker's end, on this thread: idle again and the controls usable, in one step; after an
    // aborted worker the failure status first.
    void OnTransferEnded(bool aborted, bool portVanished);
    // The port list and both transfer buttons, port list first.
    void EnableTransferControls(bool enable);
    void EnableTransferButtons(bool enable);

    bool m_bPortMessageOpen = false; // a failure box of OpenComPort is open
    bool m_bPortVanished = false;    // the program closed the port after a device error, not the user
    CReplacingFile m_backupTarget;   // created by the button, written and committed by the backup worker
    std::wstring m_restoreSource;    // m_strRestoreFile as the restore started, read by its worker
};

// The transfer buttons and the worker threads that run backup and restore.
#include <string>

#include "app/config_file_filter.h"
#include "app/main_dlg_win.h"
#include "app/transfer_display.h"
#include "app/window_transfer_controls_win.h"
#include "framework/app_win.h"
#include "framework/file_dialog_win.h"
#include "framework/message_box_win.h"
#include "link/com_port_win.h"
#include "platform/wide_win.h"
#include "resources/resource.h"
#include "transfer/backup_exchange.h"
#include "transfer/config_record.h"
#include "transfer/record_sink.h"
#include "transfer/restore_exchange.h"
#include "transfer/transfer_texts.h"

namespace
{
// What Windows shows for the program while a transfer holds a shutdown or log-off back.
const wchar_t kShutdownBlockReason[] = L"Übertragung zum Quendal 4 läuft – bitte warten";

// The backup's destination as the portable exchange sees it.
class FileRecordSink : public RecordSink
{
  public:
    explicit FileRecordSink(CReplacingFile& file) : m_file(file) {}
    bool Write(std::string_view bytes) override { return m_file.Write(bytes.data(), static_cast<DWORD>(bytes.size())); }
    bool Commit() override { return m_file.Commit(); }
    std::u16string ErrorText() const override { return m_file.File().ErrorText(); }

  private:
    CReplacingFile& m_file;
};

} // namespace

bool CQ4_BackupDlg::ChooseFile(BOOL openDialog, std::wstring& path)
{
    if (!m_bDeviceFound)
        return false;
    CFileDialog dialog(openDialog, kConfigFileExt, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kConfigFileFilter,
                       m_hWnd);
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}

void CQ4_BackupDlg::OnDeviceToFile()
{
    if (ChooseFile(FALSE, m_strBackupFile) && !StartBackup())
        ShowFailedStatus(STATE_BACKUP);
}

bool CQ4_BackupDlg::StartBackup()
{
    if (OpenComPort(m_strPortPath) != 1)
        return false;
    // The temporary file beside the destination is made here, so that a folder that cannot be
    // written stops the backup before it starts.
    if (!m_backupTarget.Open(m_strBackupFile)) {
        ReportFileError(m_backupTarget.File());
        return false;
    }
    if (StartWorker(STATE_BACKUP, &CQ4_BackupDlg::BackupThreadProc))
        return true;
    m_backupTarget.Discard();
    return false;
}

void CQ4_BackupDlg::OnFileToDevice()
{
    if (ChooseFile(TRUE, m_strRestoreFile) && (OpenComPort(m_strPortPath) != 1 || !StartRestore()))
        ShowFailedStatus(STATE_RESTORE);
}

void CQ4_BackupDlg::ShowFailedStatus(std::uint8_t state)
{
    ::SetDlgItemTextW(m_hWnd, IDC_STATUS,
                      ToWide(state == STATE_BACKUP ? kBackupFailedText : kRestoreFailedText).c_str());
}

bool CQ4_BackupDlg::StartRestore()
{
    // The editor may choose a new destination while the restore runs; the worker keeps its own path.
    m_restoreSource = m_strRestoreFile;
    return StartWorker(STATE_RESTORE, &CQ4_BackupDlg::RestoreThreadProc);
}

bool CQ4_BackupDlg::StartWorker(std::uint8_t state, LPTHREAD_START_ROUTINE proc)
{
    // State and controls change before the thread runs, so no identification tick slips in.
    m_nState = state;
    EnableTransferControls(false);
    ::ShutdownBlockReasonCreate(m_hWnd, kShutdownBlockReason);
    HANDLE thread = ::CreateThread(nullptr, 0, proc, this, 0, nullptr);
    if (!thread) {
        ::ShutdownBlockReasonDestroy(m_hWnd);
        EnableTransferControls(true);
        m_nState = STATE_IDLE;
        return false;
    }
    ::CloseHandle(thread);
    return true;
}

void CQ4_BackupDlg::OnTransferEnded(bool aborted, bool portVanished)
{
    if (aborted)
        ShowFailedStatus(m_nState.load());
    // Idle first, so that controls that look usable never meet a refusing "Beenden".
    m_nState = STATE_IDLE;
    ::ShutdownBlockReasonDestroy(m_hWnd);
    EnableTransferControls(true);
    // After the buttons, which the no-device state disables again; the final status stays.
    if (portVanished)
        ForgetVanishedPort();
}

void CQ4_BackupDlg::EnableTransferControls(bool enable)
{
    ::EnableWindow(GetDlgItem(IDC_PORT), enable);
    EnableTransferButtons(enable);
}

void CQ4_BackupDlg::EnableTransferButtons(bool enable)
{
    ::EnableWindow(GetDlgItem(IDC_FILE_TO_DEVICE), enable);
    ::EnableWindow(GetDlgItem(IDC_DEVICE_TO_FILE), enable);
}

DWORD WINAPI CQ4_BackupDlg::BackupThreadProc(LPVOID param)
{
    auto* dlg = static_cast<CQ4_BackupDlg*>(param);
    WPARAM ended = 0;
    LPARAM port = 0;
    try {
        WindowTransferControls controls(dlg->m_hWnd);
        TransferDisplay view(controls);
        ComLink link(dlg->m_hPort);
        FileRecordSink sink(dlg->m_backupTarget);
        const bool done = RunBackup(link, view, sink);
        port = link.DeviceError() ? kPortVanished : 0;
        // Only a complete backup takes the destination's place; any failure leaves it as it was.
        if (!done)
            dlg->m_backupTarget.Discard();
    } catch (const std::exception& error) {
        dlg->m_backupTarget.Discard();
        ReportException(error);
        ended = kTransferAborted;
    }
    // The window may end as soon as it is idle again, so the worker touches it no more after this.
    ::PostMessageW(dlg->m_hWnd, WM_TRANSFER_ENDED, ended, port);
    return 0;
}

DWORD WINAPI CQ4_BackupDlg::RestoreThreadProc(LPVOID param)
{
    auto* dlg = static_cast<CQ4_BackupDlg*>(param);
    WPARAM ended = 0;
    LPARAM port = 0;
    try {
        WindowTransferControls controls(dlg->m_hWnd);
        TransferDisplay view(controls);
        CFile file;
        std::string bytes;
        if (ReadFileBytes(file, dlg->m_restoreSource, bytes, kConfigFileReadCap)) {
            ::Sleep(kPauseBeforeRestoreMs);
            ComLink link(dlg->m_hPort);
            RunRestore(link, view, bytes);
            port = link.DeviceError() ? kPortVanished : 0;
        } else {
            view.FileFailed(file.ErrorText());
            view.TransferEnded(TransferOutcome::Failed, kRestoreFailedText);
        }
    } catch (const std::exception& error) {
        ReportException(error);
        ended = kTransferAborted;
    }
    // The window may end as soon as it is idle again, so the worker touches it no more after this.
    ::PostMessageW(dlg->m_hWnd, WM_TRANSFER_ENDED, ended, port);
    return 0;
}

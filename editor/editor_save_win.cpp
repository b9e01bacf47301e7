// "Speichern und an Q4 senden": the source read again, patched with the editor's settings, written
// whole to the destination and handed to the main window's restore worker.
#include "app/main_dlg_shared_win.h"
#include "config/identifier_rules.h"
#include "editor/editor_texts.h"
#include "editor/erweitert_win.h"
#include "framework/file_win.h"
#include "link/identification.h"
#include "platform/wide_win.h"

namespace
{
// Gives the device time to settle after the last identification before the restore talks to it.
inline constexpr DWORD kPauseBeforeSendMs = 500;
} // namespace

EditorSettings Erweitert::SettingsFromMembers() const
{
    EditorSettings settings;
    settings.masterSlave = m_masterSlave;
    settings.ownId = FromWide(m_ownId);
    for (int k = 0; k < kQuickIdCount; ++k) {
        settings.quickId[k] = FromWide(m_quickId[k]);
        settings.alias[k] = FromWide(m_alias[k]);
    }
    settings.hasTetra = m_hasTetra != FALSE;
    settings.autoTransfer = m_chkAutoTransfer.GetCheck() != FALSE;
    settings.readGroups = m_chkReadGroups.GetCheck() != FALSE;
    return settings;
}

void Erweitert::OnBnClickedSaveAndSend()
{
    if (!m_pMainDlg->m_bDeviceFound) {
        ShowMainMessage(kDeviceMissingText, MB_ICONEXCLAMATION);
        return;
    }
    if (m_pMainDlg->m_nState.load() != STATE_IDLE) {
        ShowMainMessage(kEditorBusyText, MB_ICONEXCLAMATION);
        return;
    }
    // A field that could not be taken over has been reported; saving what it held before would be wrong.
    if (!UpdateData(TRUE))
        return;
    const EditorSettings settings = SettingsFromMembers();
    // Checked before the source is read, so a wrong identifier is told first whatever the file's state.
    if (const auto bad = FirstUnstorableIdentifier(settings, m_loaded)) {
        ReportConfigTextError(ConfigTextError::BadIdentifier, *bad);
        return;
    }

    std::string source;
    if (!ReadConfigText(m_sourcePath, source)) {
        m_pMainDlg->ShowFailedStatus(STATE_RESTORE);
        return;
    }
    SettingsWritten patched = WriteSettings(source, settings);
    if (patched.error != ConfigTextError::None) {
        ReportConfigTextError(patched.error, patched.badIdentifier);
        return;
    }
    m_configText = std::move(patched.text);

    CReplacingFile file;
    if (!file.Open(m_pMainDlg->m_strRestoreFile) ||
        !file.Write(m_configText.data(), static_cast<DWORD>(m_configText.size())) || !file.Commit()) {
        ReportFileError(file.File());
        m_pMainDlg->ShowFailedStatus(STATE_RESTORE);
        return;
    }
    ::Sleep(kPauseBeforeSendMs);
    if (!m_pMainDlg->m_bDeviceFound)
        return;
    if (m_pMainDlg->OpenComPort(std::wstring(m_pMainDlg->m_strPortPath)) != 1 || !m_pMainDlg->StartRestore())
        m_pMainDlg->ShowFailedStatus(STATE_RESTORE);
}

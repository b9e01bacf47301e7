// "Speichern und an Q4 senden": the source read again, patched with the editor's settings, written
// whole to the destination and handed to the main window's restore worker.
#include "app/main_dlg_win.h"
#include "editor/config_text.h"
#include "editor/editor_texts.h"
#include "editor/erweitert_win.h"
#include "editor/identifier_rules.h"
#include "framework/file_win.h"
#include "framework/message_box_win.h"
#include "framework/standard_texts.h"
#include "framework/wide_win.h"
#include "resources/resource.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

namespace
{
// Gives the device time to settle after the last identification before the restore talks to it.
inline constexpr DWORD kPauseBeforeSendMs = 500;
} // namespace

void Erweitert::ShowMainMessage(const std::u16string& text, UINT icon) const
{
    ::MessageBoxW(m_pMainDlg->m_hWnd, ToWide(text).c_str(), ToWide(kEditorErrorCaption).c_str(), MB_OK | icon);
}

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
    if (const auto bad = FirstUnstorableIdentifier(settings)) {
        ShowMainMessage(IdentifierLengthMessage(*bad), MB_ICONEXCLAMATION);
        return;
    }

    CFile file;
    std::string bytes;
    if (!ReadFileBytes(file, m_sourcePath, bytes, kMaxConfigTextLen + CONFIG_RECORD_LEN)) {
        ReportFileError(file);
        return;
    }
    SettingsWritten patched = WriteSettings(ConfigTextFromFile(bytes), settings);
    switch (patched.error) {
    case ConfigTextError::None:
        break;
    case ConfigTextError::BeyondEnd:
        AfxMessageBox(kInvalidArgumentText, MB_OK | MB_ICONSTOP);
        return;
    case ConfigTextError::BadIdentifier:
        ShowMainMessage(IdentifierLengthMessage(patched.badIdentifier), MB_ICONEXCLAMATION);
        return;
    default:
        ShowMainMessage(kUnsuitableFileText, MB_ICONERROR);
        return;
    }
    m_configText = std::move(patched.text);

    if (!WriteFileReplacing(file, m_pMainDlg->m_strRestoreFile, m_configText)) {
        ReportFileError(file);
        return;
    }
    ::Sleep(kPauseBeforeSendMs);
    if (m_pMainDlg->m_bDeviceFound && m_pMainDlg->OpenComPort(std::wstring(m_pMainDlg->m_strPortPath)) == 1)
        m_pMainDlg->StartRestore();
}

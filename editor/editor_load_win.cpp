// "Öffnen...": a configuration file into the editor, taken over only once every check has passed.
#include "app/config_file_filter.h"
#include "app/main_dlg_shared_win.h"
#include "config/config_text.h"
#include "config/identifier_rules.h"
#include "editor/editor_texts.h"
#include "editor/erweitert_win.h"
#include "framework/file_dialog_win.h"
#include "framework/file_win.h"
#include "framework/message_box_win.h"
#include "framework/standard_texts.h"
#include "platform/wide_win.h"
#include "resources/resource.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

void Erweitert::OnBnClickedOpen()
{
    CFileDialog dialog(TRUE, kConfigFileExt, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kConfigFileFilter,
                       m_hWnd);
    if (dialog.DoModal() != IDOK)
        return;
    const std::wstring path = dialog.GetPathName();

    std::string text;
    if (!ReadConfigText(path, text))
        return;
    const SettingsRead read = ReadSettings(text);
    if (read.error != ConfigTextError::None)
        ReportConfigTextError(read.error);
    else
        TakeOverLoad(path, std::move(text), read.settings);
}

bool Erweitert::ReadConfigText(const std::wstring& path, std::string& text) const
{
    CFile file;
    std::string bytes;
    if (!ReadFileBytes(file, path, bytes, kConfigFileReadCap)) {
        ReportFileError(file);
        return false;
    }
    text = ConfigTextFromFile(bytes);
    return true;
}

void Erweitert::ReportConfigTextError(ConfigTextError error, int badIdentifier) const
{
    switch (error) {
    case ConfigTextError::None:
        return;
    case ConfigTextError::BeyondEnd:
        AfxMessageBox(kInvalidArgumentText, MB_OK | MB_ICONSTOP);
        return;
    case ConfigTextError::BadIdentifier:
        ShowMainMessage(IdentifierLengthMessage(badIdentifier), MB_ICONEXCLAMATION);
        return;
    case ConfigTextError::Unsuitable:
    case ConfigTextError::TooLarge:
        ShowMainMessage(kUnsuitableFileText, MB_ICONERROR);
        return;
    }
}

void Erweitert::TakeOverLoad(const std::wstring& path, std::string text, const EditorSettings& settings)
{
    m_sourcePath = path;
    std::wstring shown = path;
    FitPathToControl(GetDlgItem(IDC_EDITOR_SOURCE_PATH), m_pMainDlg->m_hWnd, shown);
    ::SetDlgItemTextW(m_hWnd, IDC_EDITOR_SOURCE_PATH, shown.c_str());
    m_configText = std::move(text);

    m_masterSlave = settings.masterSlave;
    for (int k = 0; k < kQuickIdCount; ++k) {
        m_quickId[k] = ToWide(settings.quickId[k]);
        m_alias[k] = ToWide(settings.alias[k]);
    }
    m_ownId = ToWide(settings.ownId);
    m_loaded = settings;
    m_hasTetra = settings.hasTetra;
    // The TETRA options live only in their check boxes; a file without them leaves the boxes alone.
    if (settings.hasTetra) {
        m_chkAutoTransfer.SetCheck(settings.autoTransfer);
        m_chkReadGroups.SetCheck(settings.readGroups);
    }

    m_sourceLoaded = TRUE;
    ::SetDlgItemTextW(m_hWnd, IDC_EDITOR_DEST_FOLDER, L"");
    m_destFileName.clear();
    m_appendOwnId = FALSE;
    m_useSourceFile = FALSE;
    m_destChosen = FALSE;
    UpdateData(FALSE);
}

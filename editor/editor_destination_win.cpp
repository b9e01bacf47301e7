// The identifier fields' length check and the destination: chosen, the source itself, or either
// with the own identifier appended; kept in the main window as one path, shown as folder and name.
#include "app/config_file_filter.h"
#include "app/main_dlg_shared_win.h"
#include "config/destination_path.h"
#include "config/identifier_rules.h"
#include "editor/editor_texts.h"
#include "editor/erweitert_win.h"
#include "framework/file_dialog_win.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

void Erweitert::CheckIdentifierLength(UINT id)
{
    const int length = ::GetWindowTextLengthW(GetDlgItem(static_cast<int>(id)));
    if (length == static_cast<int>(kIdentifierLen)) {
        UpdateData(TRUE);
        if (id == IDC_EDITOR_OWN_ID)
            ComposeDestination();
        return;
    }
    const int index = id == IDC_EDITOR_OWN_ID ? kOwnIdentifier : static_cast<int>(id - IDC_EDITOR_QUICK_ID);
    ShowMainMessage(IdentifierLengthMessage(index), MB_ICONEXCLAMATION);
}

void Erweitert::OnAliasKillFocus()
{
    UpdateData(TRUE);
}

void Erweitert::SetDestination(const std::wstring& path)
{
    m_pMainDlg->m_strRestoreFile = path;
    const PathParts parts = SplitPath(FromWide(path));
    m_destFileName = ToWide(parts.fileName);
    std::wstring folder = ToWide(parts.folder);
    FitPathToControl(GetDlgItem(IDC_EDITOR_DEST_FOLDER), m_pMainDlg->m_hWnd, folder);
    ::SetDlgItemTextW(m_hWnd, IDC_EDITOR_DEST_FOLDER, folder.c_str());
    UpdateData(FALSE);
}

void Erweitert::ComposeDestination()
{
    UpdateData(TRUE);
    if (!HasIdentifierLength(FromWide(m_ownId))) {
        CheckIdentifierLength(IDC_EDITOR_OWN_ID);
        return;
    }
    SetDestination(ToWide(
        ComposeDestinationPath(FromWide(m_pMainDlg->m_strRestoreFile), m_appendOwnId != FALSE, FromWide(m_ownId))));
}

void Erweitert::OnBnClickedChooseFileName()
{
    // What the user set on screen (the role above all) must survive the transfer into the controls below.
    UpdateData(TRUE);
    CFileDialog dialog(FALSE, kConfigFileExt, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kConfigFileFilter,
                       m_hWnd);
    if (dialog.DoModal() == IDOK)
        SetDestination(dialog.GetPathName());
    m_useSourceFile = FALSE;
    m_destChosen = TRUE;
    UpdateData(FALSE);
    ComposeDestination();
}

void Erweitert::OnBnClickedUseSourceFile()
{
    UpdateData(TRUE);
    if (!m_useSourceFile)
        return;
    SetDestination(m_sourcePath);
    ComposeDestination();
    m_destChosen = TRUE;
}

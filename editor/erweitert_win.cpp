// The editor window's life: construction, data exchange, command routing, the 50 ms refresh of
// the enabled states, help and closing.
#include "editor/erweitert_win.h"

#include "app/main_dlg_shared_win.h"
#include "config/identifier_rules.h"
#include "config/setting_input.h"
#include "editor/editor_texts.h"
#include "platform/wide_win.h"
#include "resources/resource.h"

namespace
{
inline constexpr int kIdentifierLimit = static_cast<int>(kIdentifierLen);
inline constexpr int kAliasLimit = static_cast<int>(kNameMaxLen);
inline constexpr UINT kRefreshPeriodMs = 50;

bool InRange(UINT id, UINT first)
{
    return id >= first && id < first + kQuickIdCount;
}
} // namespace

Erweitert::Erweitert(CMainDlgShared* parent, CMainDlgShared* mainDlg)
    : CDialog(IDD_ERWEITERT, parent->m_hWnd), m_pParent(parent), m_pMainDlg(mainDlg)
{
    m_quickId.fill(L"00000000");
}

Erweitert::~Erweitert() = default;

void Erweitert::DoDataExchange(CDataExchange* dx)
{
    DDX_Text(dx, IDC_EDITOR_OWN_ID, m_ownId, kIdentifierLimit);
    for (int k = 0; k < kQuickIdCount; ++k) {
        DDX_Text(dx, IDC_EDITOR_QUICK_ID + k, m_quickId[k], kIdentifierLimit);
        DDX_Text(dx, IDC_EDITOR_ALIAS + k, m_alias[k], kAliasLimit);
    }
    DDX_Text(dx, IDC_EDITOR_DEST_NAME, m_destFileName);
    DDX_Check(dx, IDC_EDITOR_APPEND_OWN_ID, m_appendOwnId);
    DDX_Check(dx, IDC_EDITOR_USE_SOURCE, m_useSourceFile);
    DDX_Control(dx, IDC_EDITOR_MASTER, m_btnMaster);
    DDX_Control(dx, IDC_EDITOR_AUTO_TRANSFER, m_chkAutoTransfer);
    DDX_Radio(dx, IDC_EDITOR_MASTER, m_masterSlave);
    DDX_Control(dx, IDC_EDITOR_READ_GROUPS, m_chkReadGroups);
}

BOOL Erweitert::OnInitDialog()
{
    PlaceEditorWindow();
    CreateIdentifierFields();
    CDialog::OnInitDialog();
    CreateLabels();
    return TRUE;
}

BOOL Erweitert::OnCommand(UINT id, UINT code, HWND)
{
    if (code == EN_KILLFOCUS && (id == IDC_EDITOR_OWN_ID || InRange(id, IDC_EDITOR_QUICK_ID))) {
        CheckIdentifierLength(id);
        return TRUE;
    }
    if (code == EN_KILLFOCUS && InRange(id, IDC_EDITOR_ALIAS)) {
        OnAliasKillFocus();
        return TRUE;
    }
    if (code != BN_CLICKED)
        return FALSE;
    switch (id) {
    case IDC_EDITOR_OPEN:
        OnBnClickedOpen();
        return TRUE;
    case IDC_EDITOR_SAVE_SEND:
        OnBnClickedSaveAndSend();
        return TRUE;
    case IDC_EDITOR_CHOOSE_NAME:
        OnBnClickedChooseFileName();
        return TRUE;
    case IDC_EDITOR_APPEND_OWN_ID:
        ComposeDestination();
        return TRUE;
    case IDC_EDITOR_USE_SOURCE:
        OnBnClickedUseSourceFile();
        return TRUE;
    case IDC_EDITOR_HELP:
        OnBnClickedHelp();
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR Erweitert::OnMessage(UINT message, WPARAM wParam, LPARAM, bool& handled)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (wParam)
            OnShowWindow();
        return 0;
    case WM_TIMER:
        handled = true;
        if (wParam == EDITOR_TIMER_ID)
            RefreshControlStates();
        return 0;
    default:
        return 0;
    }
}

void Erweitert::OnShowWindow()
{
    ::SetTimer(m_hWnd, EDITOR_TIMER_ID, kRefreshPeriodMs, nullptr);
    // The template's enabled states are not the editor's: show the right ones from the first paint.
    RefreshControlStates();
    UpdateData(TRUE);
}

void Erweitert::RefreshControlStates()
{
    const bool loaded = m_sourceLoaded != FALSE;
    const bool chosen = loaded && m_destChosen;
    auto enable = [this](UINT id, bool on) { ::EnableWindow(GetDlgItem(static_cast<int>(id)), on); };

    enable(IDC_EDITOR_MASTER, loaded);
    enable(IDC_EDITOR_SLAVE, loaded);
    enable(IDC_EDITOR_OWN_ID, loaded);
    for (int k = 0; k < kQuickIdCount; ++k) {
        enable(IDC_EDITOR_QUICK_ID + k, loaded);
        enable(IDC_EDITOR_ALIAS + k, loaded);
    }
    enable(IDC_EDITOR_USE_SOURCE, loaded);
    enable(IDC_EDITOR_CHOOSE_NAME, loaded);
    enable(IDC_EDITOR_APPEND_OWN_ID, chosen);
    enable(IDC_EDITOR_DEST_FOLDER, chosen);
    enable(IDC_EDITOR_SAVE_SEND, chosen && m_pMainDlg->m_nState.load() == STATE_IDLE);
    enable(IDC_EDITOR_AUTO_TRANSFER, loaded && m_hasTetra);
    enable(IDC_EDITOR_READ_GROUPS, loaded && m_hasTetra);
    // The file name only displays the destination; it is never edited.
    if (!loaded)
        enable(IDC_EDITOR_DEST_NAME, false);
}

void Erweitert::ShowMainMessage(const std::u16string& text, UINT icon) const
{
    ::MessageBoxW(m_pMainDlg->m_hWnd, ToWide(text).c_str(), ToWide(kEditorErrorCaption).c_str(), MB_OK | icon);
}

void Erweitert::OnBnClickedHelp()
{
    std::u16string text;
    for (std::size_t i = 0; i < kHelpLines.size(); ++i)
        text += (i == 0 ? u"" : u"\r\n") + std::u16string(kHelpLines[i]);
    ::MessageBoxW(m_hWnd, ToWide(text).c_str(), ToWide(kHelpCaption).c_str(), MB_OK | MB_ICONINFORMATION);
}

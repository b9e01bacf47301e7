// The configuration editor window: loads a configuration file, shows and edits the role, the
// identifiers, their names and the TETRA options, names a destination and has it saved and sent.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "config/editor_settings.h"
#include "controls/hex_edit_win.h"
#include "framework/dialog_win.h"
#include "framework/standard_controls_win.h"

class CMainDlgShared;

// Period of the refresh of the enabled states.
inline constexpr UINT_PTR EDITOR_TIMER_ID = 1;

class Erweitert : public CDialog
{
  public:
    Erweitert(CMainDlgShared* parent, CMainDlgShared* mainDlg);
    ~Erweitert() override;

  protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    BOOL OnCommand(UINT id, UINT code, HWND control) override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

  private:
    // Window layout.
    void PlaceEditorWindow();
    void CreateIdentifierFields();
    void CreateLabels();
    HWND CreateStatic(UINT id, const wchar_t* text, int left, int top, int right, int bottom);
    RECT ToDialogPixels(int left, int top, int right, int bottom) const;
    void ApplyMainFont(HWND control) const;
    // Shortens `path` with "..." to fit `field`, measured in its font on a device context of `measure`.
    void FitPathToControl(HWND field, HWND measure, std::wstring& path) const;
    void OnShowWindow();
    void RefreshControlStates();
    void OnBnClickedHelp();

    // Loading.
    void OnBnClickedOpen();
    void TakeOverLoad(const std::wstring& path, std::string text, const EditorSettings& settings);
    // The file's complete records as the editor takes them; false once the file error is shown.
    bool ReadConfigText(const std::wstring& path, std::string& text) const;
    // The message for a text the editor refuses to read or patch.
    void ReportConfigTextError(ConfigTextError error, int badIdentifier = 0) const;

    // Identifiers and destination.
    void CheckIdentifierLength(UINT id);
    void OnAliasKillFocus();
    void SetDestination(const std::wstring& path);
    void ComposeDestination();
    void OnBnClickedChooseFileName();
    void OnBnClickedUseSourceFile();

    // Saving and sending.
    void OnBnClickedSaveAndSend();
    EditorSettings SettingsFromMembers() const;

    // A message box owned by the main window, captioned "Fehler".
    void ShowMainMessage(const std::u16string& text, UINT icon) const;

    // All members are owned by the user-interface thread.
    CMainDlgShared* m_pParent;
    CMainDlgShared* m_pMainDlg; // owner of the port, the state, the destination path and the message boxes
    BOOL m_sourceLoaded = FALSE;
    BOOL m_hasTetra = FALSE;
    BOOL m_destChosen = FALSE;
    std::unique_ptr<CHexEdit> m_pOwnIdEdit;
    std::wstring m_ownId = L"00000000";
    std::array<std::unique_ptr<CHexEdit>, kQuickIdCount> m_pQuickIdEdit;
    std::array<std::wstring, kQuickIdCount> m_quickId;
    std::array<std::unique_ptr<CEdit>, kQuickIdCount> m_pAliasEdit;
    std::array<std::wstring, kQuickIdCount> m_alias;
    EditorSettings m_loaded; // what the last load put into the fields; an identifier still so is saved as it is
    std::wstring m_sourcePath;
    std::string m_configText; // the source's complete records, one character per byte
    std::wstring m_destFileName;
    BOOL m_appendOwnId = FALSE;
    BOOL m_useSourceFile = FALSE;
    CButton m_btnMaster;
    CButton m_chkAutoTransfer;
    int m_masterSlave = 0; // 0 = Master, 1 = Slave
    CButton m_chkReadGroups;
};

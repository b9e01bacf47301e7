// The framework's dialog: a window built from a numbered template, run modally by
// its own message loop so that controls can pre-translate keyboard messages.
#pragma once

#include "framework/data_exchange_win.h"
#include "framework/wnd_win.h"

class CDialog : public CWnd
{
  public:
    CDialog(UINT templateId, HWND parent = nullptr);

    // Creates the dialog, disables the owner and runs the loop until EndDialog.
    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // Copies between members and controls: FALSE fills the controls, TRUE reads them back.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

  protected:
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* dx);
    // A command from a control or menu; TRUE when handled.
    virtual BOOL OnCommand(UINT id, UINT code, HWND control);
    virtual void OnOK();
    virtual void OnCancel();
    // Any other message; set handled to answer it, otherwise the default handling runs.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    UINT m_templateId;
    HWND m_hParent;

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool PreTranslate(MSG& msg);

    // Centred over the owner, or on the work area without one, and kept inside the work area.
    void CenterWindow();

    bool m_running = false;
    bool m_inExchange = false;
    INT_PTR m_result = IDCANCEL;
};

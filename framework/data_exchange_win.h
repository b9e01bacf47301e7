// Data exchange between a dialog's members and its controls, in both directions.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/wnd_win.h"

class CDataExchange
{
  public:
    CDataExchange(HWND dialog, BOOL saveAndValidate) : m_hDialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    HWND m_hDialog;
    BOOL m_bSaveAndValidate; // TRUE: controls to members

    bool Failed() const { return m_failed; }
    // Ends the exchange at this control: it gets the focus (an edit's text selected), and the
    // controls after it are not exchanged.
    void Fail(HWND control);

  private:
    bool m_failed = false;
};

// Binds a control object to the dialog item once (its first exchange).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

// An edit's text. Into the control it also sets the text limit (0: none); from the control a
// text longer than the limit is still taken over, then reported, and the exchange ends there.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value, int maxChars = 0);

// A check box's state, TRUE when checked.
void DDX_Check(CDataExchange* dx, int id, BOOL& value);

// The index of the checked radio button in the group starting at `id` (-1: none checked).
void DDX_Radio(CDataExchange* dx, int id, int& value);

// Small wrappers of the standard controls that dialogs bind with DDX_Control.
class CBoundWnd : public CWnd
{
  public:
    void Bind(HWND hwnd) { Attach(hwnd); }
};

class CComboBox : public CBoundWnd
{
  public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    void SetCurSel(int index) { SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    void DeleteString(int index) { SendMessage(CB_DELETESTRING, static_cast<WPARAM>(index)); }
    void AddString(const std::wstring& text) { SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
};

class CButton : public CBoundWnd
{
  public:
    BOOL GetCheck() const { return SendMessage(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(BOOL checked) { SendMessage(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

class CProgressCtrl : public CBoundWnd
{
  public:
    void SetRange(int upper) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(0, upper)); }
    void SetPos(int pos) { SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos)); }
};

// Small wrappers of the standard controls that dialogs bind with DDX_Control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "framework/data_exchange_win.h"

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

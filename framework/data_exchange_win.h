// Data exchange between a dialog's members and its controls, in both directions.
#pragma once

#include <windows.h>

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

// The base of the control wrappers (standard_controls_win.h): bound to its item by DDX_Control.
class CBoundWnd : public CWnd
{
  public:
    void Bind(HWND hwnd) { Attach(hwnd); }
};

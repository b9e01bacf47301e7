// The framework's edit control: a standard "EDIT" window subclassed so that a
// derived class sees its messages in WindowProc.
#pragma once

#include "framework/wnd_win.h"

class CEdit : public CWnd
{
  public:
    ~CEdit() override;

    // Creates a child "EDIT" window and subclasses it.
    BOOL Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id);
    // Subclasses an existing edit control (for example one from a dialog template).
    BOOL SubclassWindow(HWND hwnd);

    void GetSel(int& start, int& end) const;
    void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
    void SetLimitText(UINT limit) { SendMessage(EM_LIMITTEXT, limit); }
    BOOL CanUndo() const { return SendMessage(EM_CANUNDO) != 0; }
    BOOL IsReadOnly() const { return (::GetWindowLongW(m_hWnd, GWL_STYLE) & ES_READONLY) != 0; }

  protected:
    // Every message of the window; the default is the standard edit processing.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Commands sent to the control itself (for example from its own context menu).
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);
    void Unsubclass();
};

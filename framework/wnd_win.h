// The framework's window object: one C++ object bound to one HWND, with the two
// hooks the dialog framework offers its controls (pre-translation, reflection).
#pragma once

#include <windows.h>

#include <string>

// A window's whole text.
std::wstring WindowText(HWND hwnd);

class CWnd
{
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND m_hWnd = nullptr; // owned by the UI thread

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to a window, or nullptr.
    static CWnd* FromHandle(HWND hwnd);

    // Sees each message of the modal loop before translation and dispatch;
    // returning TRUE swallows it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Notifications that the parent reflects back to the control that sent them
    // (WM_COMMAND notification codes, WM_CTLCOLOR*). TRUE: handled, *result is the answer.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text);
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }

  protected:
    // Binds this object to a window (FromHandle finds it from then on).
    void Attach(HWND hwnd);
    void Detach();
};

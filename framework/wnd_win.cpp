// Binding of window objects to their windows through a window property.
#include "framework/wnd_win.h"

namespace
{
const wchar_t kObjectProp[] = L"Q4_Backup.CWnd";
}

CWnd::~CWnd()
{
    Detach();
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

std::wstring WindowText(HWND hwnd)
{
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = ::GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

std::wstring CWnd::GetWindowText() const
{
    return WindowText(m_hWnd);
}

void CWnd::SetWindowText(const std::wstring& text)
{
    ::SetWindowTextW(m_hWnd, text.c_str());
}

void CWnd::Attach(HWND hwnd)
{
    m_hWnd = hwnd;
    if (hwnd)
        ::SetPropW(hwnd, kObjectProp, this);
}

void CWnd::Detach()
{
    if (m_hWnd && ::IsWindow(m_hWnd) && FromHandle(m_hWnd) == this)
        ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

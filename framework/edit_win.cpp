// Edit control subclassing with the common controls' SetWindowSubclass.
#include "framework/edit_win.h"

#include <commctrl.h>

#include "framework/message_box_win.h"

namespace
{
const UINT_PTR kSubclassId = 0x51;
}

CEdit::~CEdit()
{
    Unsubclass();
}

BOOL CEdit::Create(DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id)
{
    HWND hwnd = ::CreateWindowExW(exStyle, L"EDIT", L"", style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                  ::GetModuleHandleW(nullptr), nullptr);
    return hwnd && SubclassWindow(hwnd);
}

BOOL CEdit::SubclassWindow(HWND hwnd)
{
    if (!::SetWindowSubclass(hwnd, &CEdit::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return FALSE;
    Attach(hwnd);
    return TRUE;
}

void CEdit::GetSel(int& start, int& end) const
{
    DWORD s = 0;
    DWORD e = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int>(s);
    end = static_cast<int>(e);
}

LRESULT CEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && OnCommand(wParam, lParam))
        return 0;
    return Default(message, wParam, lParam);
}

BOOL CEdit::OnCommand(WPARAM, LPARAM)
{
    return FALSE;
}

LRESULT CEdit::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefSubclassProc(m_hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CEdit::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CEdit*>(refData);
    if (message == WM_NCDESTROY) {
        const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        self->Unsubclass();
        return result;
    }
    try {
        return self->WindowProc(message, wParam, lParam);
    } catch (const std::exception& error) {
        ReportException(error);
        return 0;
    }
}

void CEdit::Unsubclass()
{
    if (m_hWnd) {
        ::RemoveWindowSubclass(m_hWnd, &CEdit::SubclassProc, kSubclassId);
        Detach();
    }
}

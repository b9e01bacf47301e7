// Data exchange for bound controls, edit texts, check boxes and radio groups.
#include "framework/data_exchange_win.h"

#include "framework/message_box_win.h"
#include "framework/standard_texts.h"

void CDataExchange::Fail(HWND control)
{
    m_failed = true;
    ::SetFocus(control);
    wchar_t className[8] = {};
    ::GetClassNameW(control, className, 8);
    if (::lstrcmpiW(className, L"Edit") == 0)
        ::SendMessageW(control, EM_SETSEL, 0, -1);
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.GetSafeHwnd() == nullptr)
        static_cast<CBoundWnd&>(control).Bind(::GetDlgItem(dx->m_hDialog, id));
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value, int maxChars)
{
    if (dx->Failed())
        return;
    HWND control = ::GetDlgItem(dx->m_hDialog, id);
    if (!dx->m_bSaveAndValidate) {
        if (maxChars > 0)
            ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        ::SetWindowTextW(control, value.c_str());
        return;
    }
    value = WindowText(control);
    if (maxChars > 0 && static_cast<int>(value.size()) > maxChars) {
        AfxMessageBox(MaxCharsText(maxChars), MB_OK | MB_ICONEXCLAMATION);
        dx->Fail(control);
    }
}

void DDX_Check(CDataExchange* dx, int id, BOOL& value)
{
    if (dx->Failed())
        return;
    HWND control = ::GetDlgItem(dx->m_hDialog, id);
    if (dx->m_bSaveAndValidate)
        value = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    else
        ::SendMessageW(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

namespace
{
bool IsRadioButton(HWND control)
{
    if (::SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        return true;
    const LONG type = ::GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}
} // namespace

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    if (dx->Failed())
        return;
    HWND control = ::GetDlgItem(dx->m_hDialog, id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from its first button up to the next control that starts a group.
    int index = 0;
    do {
        if (IsRadioButton(control)) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageW(control, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        control = ::GetWindow(control, GW_HWNDNEXT);
    } while (control && !(::GetWindowLongW(control, GWL_STYLE) & WS_GROUP));
}

// Data exchange routines for bound controls, texts and check boxes.
#include "framework/data_exchange_win.h"

#include "framework/message_box_win.h"
#include "framework/standard_texts.h"

void CDataExchange::Fail(int controlId)
{
    m_failed = true;
    if (HWND control = ::GetDlgItem(m_hDialog, controlId)) {
        ::SetFocus(control);
        ::SendMessageW(control, EM_SETSEL, 0, -1);
    }
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
    if (!control)
        return;
    if (!dx->m_bSaveAndValidate) {
        if (maxChars > 0)
            ::SendMessageW(control, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
        ::SetWindowTextW(control, value.c_str());
        return;
    }
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    if (maxChars > 0 && static_cast<int>(text.size()) > maxChars) {
        AfxMessageBox(TooManyCharactersText(maxChars), MB_OK | MB_ICONEXCLAMATION);
        dx->Fail(id);
        return;
    }
    value = text;
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = ::GetDlgItem(dx->m_hDialog, id);
    if (!control || dx->Failed())
        return;
    if (dx->m_bSaveAndValidate)
        value = ::SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        ::SendMessageW(control, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

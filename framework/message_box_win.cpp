// Message boxes captioned with the application's name.
#include "framework/message_box_win.h"

#include "framework/app_win.h"
#include "framework/wide_win.h"

int AfxMessageBox(const std::wstring& text, UINT type)
{
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    const wchar_t* caption = app ? app->m_pszAppName.c_str() : L"";
    return ::MessageBoxW(owner, text.c_str(), caption, type);
}

int AfxMessageBox(const std::u16string& text, UINT type)
{
    return AfxMessageBox(ToWide(text), type);
}

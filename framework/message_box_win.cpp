// Message boxes captioned with the application's name.
#include "framework/message_box_win.h"

#include <new>

#include "framework/app_win.h"
#include "framework/standard_texts.h"
#include "platform/wide_win.h"

namespace
{
int ShowAppMessage(const wchar_t* text, UINT type)
{
    CWinApp* app = AfxGetApp();
    HWND owner = app && app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
    const wchar_t* caption = app ? app->m_pszAppName.c_str() : L"";
    return ::MessageBoxW(owner, text, caption, type);
}
} // namespace

int AfxMessageBox(const std::wstring& text, UINT type)
{
    return ShowAppMessage(text.c_str(), type);
}

int AfxMessageBox(const std::u16string& text, UINT type)
{
    return AfxMessageBox(ToWide(text), type);
}

void ReportException(const std::exception& error) noexcept
{
    const char16_t* text = dynamic_cast<const std::bad_alloc*>(&error) ? kOutOfMemoryText : kInternalErrorText;
    ShowAppMessage(reinterpret_cast<const wchar_t*>(text), MB_OK | MB_ICONSTOP);
}

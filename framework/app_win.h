// The framework's application object: instance start-up, the application's
// name and its profile in the registry.
#pragma once

#include <windows.h>

#include <string>

#include "framework/wnd_win.h"

class CWinApp
{
  public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The program's start: FALSE means "run no message loop", so the program ends.
    virtual BOOL InitInstance();

    // Profile under HKEY_CURRENT_USER\Software\<registry key>\<application name>;
    // an empty section means the application's key itself.
    void SetRegistryKey(const wchar_t* company);
    std::wstring GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue = L"");
    BOOL WriteProfileString(const wchar_t* section, const wchar_t* entry, const std::wstring& value);

    HINSTANCE m_hInstance = nullptr;
    std::wstring m_pszAppName; // the executable's name without extension
    CWnd* m_pMainWnd = nullptr;

  private:
    std::wstring SectionKeyPath(const wchar_t* section) const;
    std::wstring m_registryKey;
};

CWinApp* AfxGetApp();

// Runs the one application object's start-up; called by the program's wWinMain.
int AfxWinMain(HINSTANCE instance);

// Switches on control hosting; nothing is needed for the controls this program uses.
inline void AfxEnableControlContainer()
{
}

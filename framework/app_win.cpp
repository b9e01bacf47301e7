// Application object, the program's entry point and the registry profile.
#include "framework/app_win.h"

namespace
{
CWinApp* g_app = nullptr;

std::wstring ModuleBaseName(HINSTANCE instance)
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(instance, path, MAX_PATH);
    std::wstring name(path);
    const auto slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const auto dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}
} // namespace

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

void CWinApp::SetRegistryKey(const wchar_t* company)
{
    m_registryKey = company;
}

std::wstring CWinApp::SectionKeyPath(const wchar_t* section) const
{
    std::wstring path = L"Software\\" + m_registryKey + L"\\" + m_pszAppName;
    if (section && *section)
        path += std::wstring(L"\\") + section;
    return path;
}

std::wstring CWinApp::GetProfileString(const wchar_t* section, const wchar_t* entry, const wchar_t* defaultValue)
{
    std::wstring result = defaultValue ? defaultValue : L"";
    if (m_registryKey.empty())
        return result;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return result;
    DWORD type = 0;
    DWORD size = 0;
    if (::RegQueryValueExW(key, entry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        if (::RegQueryValueExW(key, entry, nullptr, &type, reinterpret_cast<BYTE*>(value.data()), &size) ==
            ERROR_SUCCESS) {
            value.resize(size / sizeof(wchar_t));
            while (!value.empty() && value.back() == L'\0')
                value.pop_back();
            result = value;
        }
    }
    ::RegCloseKey(key);
    return result;
}

BOOL CWinApp::WriteProfileString(const wchar_t* section, const wchar_t* entry, const std::wstring& value)
{
    if (m_registryKey.empty())
        return FALSE;
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_CURRENT_USER, SectionKeyPath(section).c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return FALSE;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    const LONG status = ::RegSetValueExW(key, entry, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    ::RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

int AfxWinMain(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    app->m_hInstance = instance;
    app->m_pszAppName = ModuleBaseName(instance);
    app->InitInstance();
    return 0;
}

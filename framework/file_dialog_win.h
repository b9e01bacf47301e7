// Open and save file dialogs with a filter string of the form "text|pattern||".
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

class CFileDialog
{
  public:
    CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                const wchar_t* filter, HWND parent);

    // IDOK when the user chose a file, IDCANCEL otherwise.
    INT_PTR DoModal();
    std::wstring GetPathName() const { return m_path; }

  private:
    BOOL m_open;
    std::wstring m_defaultExt;
    std::wstring m_filter; // bars already turned into the separating zeros
    DWORD m_flags;
    HWND m_parent;
    std::wstring m_path;
};

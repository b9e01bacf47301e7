// The common file dialogs behind CFileDialog.
#include "framework/file_dialog_win.h"

#include <commdlg.h>

CFileDialog::CFileDialog(BOOL openFileDialog, const wchar_t* defaultExt, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, HWND parent)
    : m_open(openFileDialog), m_defaultExt(defaultExt ? defaultExt : L""), m_filter(filter ? filter : L""),
      m_flags(flags), m_parent(parent), m_path(fileName ? fileName : L"")
{
    // The dialog wants "text\0pattern\0\0"; the bars of the filter string mark those zeros.
    for (wchar_t& c : m_filter)
        if (c == L'|')
            c = L'\0';
}

INT_PTR CFileDialog::DoModal()
{
    std::wstring buffer(32768, L'\0');
    m_path.copy(buffer.data(), std::min<size_t>(m_path.size(), buffer.size() - 1));
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_parent;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrDefExt = m_defaultExt.empty() ? nullptr : m_defaultExt.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLESIZING;
    const BOOL chosen = m_open ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    if (!chosen)
        return IDCANCEL;
    m_path = buffer.c_str();
    return IDOK;
}

// Message boxes: with the application's name as caption, or with a caption of their own.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

// Caption = the application's name, owner = the application's main window.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK);
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);

// The standard error box for an exception stopped at a boundary (stop icon, application caption,
// owned by the main window); it allocates nothing, so it can report std::bad_alloc.
void ReportException(const std::exception& error) noexcept;

// Message boxes: with the application's name as caption, or with a caption of their own.
#pragma once

#include <windows.h>

#include <string>

// Caption = the application's name, owner = the application's main window.
int AfxMessageBox(const std::u16string& text, UINT type = MB_OK);
int AfxMessageBox(const std::wstring& text, UINT type = MB_OK);

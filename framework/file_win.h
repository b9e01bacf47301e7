// The framework's file object: create, open, read, write, length, close, with the
// reason of a failure kept for the standard file-error message.
#pragma once

#include <windows.h>

#include <string>

#include "framework/standard_texts.h"

class CFile
{
  public:
    enum OpenMode { modeRead, modeCreateReadWrite };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() { Close(); }

    // Opens without sharing; modeCreateReadWrite creates the file or empties an existing one.
    bool Open(const std::wstring& path, OpenMode mode);
    bool Write(const void* data, DWORD size);
    // Reads up to size bytes; returns how many came (0 at the end or on failure).
    DWORD Read(void* data, DWORD size);
    ULONGLONG GetLength() const;
    void Close();

    // The standard message naming the file, for the last failure.
    std::u16string ErrorText() const;

  private:
    void Fail();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::wstring m_path;
    FileErrorKind m_lastError = FileErrorKind::Generic;
};

// Shows the standard file-error message box (exclamation icon, application caption).
void ReportFileError(const CFile& file);

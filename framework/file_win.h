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
    // The path that error messages name.
    void SetFilePath(const std::wstring& path) { m_path = path; }
    ULONGLONG GetLength() const;
    void Close();
    // Hands the open handle over to the caller, who then closes it.
    HANDLE Detach();
    // Records a failure on `path` of an operation outside this object (a rename, a short read).
    void Fail(const std::wstring& path, DWORD error);

    // The standard message naming the file, for the last failure.
    std::u16string ErrorText() const;

  private:
    void Fail();

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    std::wstring m_path;
    FileErrorKind m_lastError = FileErrorKind::Generic;
};

// Reads a whole file, or its first maxBytes bytes; false (with the file's error kept) when it
// cannot be opened or read.
bool ReadFileBytes(CFile& file, const std::wstring& path, std::string& bytes, ULONGLONG maxBytes = ~0ULL);

// Puts a written temporary file in the destination's place so that both are on the disk once it
// returns: flushes the file, closes its handle and moves it over the destination with write-through.
// False with GetLastError() telling why; the temporary file is then the caller's to delete.
bool FlushAndReplace(HANDLE file, const wchar_t* temp, const wchar_t* destination);

// A file written beside its destination and put in the destination's place only once complete,
// so that a failure leaves an existing destination as it was and no new file behind. Its errors
// name the destination.
class CReplacingFile
{
  public:
    CReplacingFile() = default;
    CReplacingFile(const CReplacingFile&) = delete;
    CReplacingFile& operator=(const CReplacingFile&) = delete;
    ~CReplacingFile() { Discard(); }

    // Creates the temporary file in the destination's folder.
    bool Open(const std::wstring& path);
    bool Write(const void* data, DWORD size);
    // Flushes and closes the temporary file and moves it over the destination.
    bool Commit();
    // Closes and deletes the temporary file, if there is one; allocates nothing.
    void Discard() noexcept;

    const CFile& File() const { return m_file; }

  private:
    CFile m_file;
    std::wstring m_path;
    wchar_t m_temp[MAX_PATH] = {}; // empty while there is no temporary file
};

// Shows the standard file-error message box (exclamation icon, application caption).
void ReportFileError(const CFile& file);

// CFile over the Win32 file API, with Win32 error codes mapped to the framework's reasons.
#include "framework/file_win.h"

#include <algorithm>

#include "framework/message_box_win.h"
#include "platform/wide_win.h"

namespace
{
FileErrorKind KindOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return FileErrorKind::NotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
        return FileErrorKind::BadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return FileErrorKind::TooManyOpen;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
        return FileErrorKind::AccessDenied;
    case ERROR_INVALID_HANDLE:
        return FileErrorKind::InvalidFile;
    case ERROR_SHARING_VIOLATION:
        return FileErrorKind::SharingViolation;
    case ERROR_LOCK_VIOLATION:
        return FileErrorKind::LockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileErrorKind::DiskFull;
    case ERROR_HANDLE_EOF:
        return FileErrorKind::EndOfFile;
    case ERROR_CRC:
    case ERROR_SEEK:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
        return FileErrorKind::HardIo;
    default:
        return FileErrorKind::Generic;
    }
}
} // namespace

bool CFile::Open(const std::wstring& path, OpenMode mode)
{
    Close();
    m_path = path;
    const DWORD access = mode == modeRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    const DWORD disposition = mode == modeRead ? OPEN_EXISTING : CREATE_ALWAYS;
    m_hFile = ::CreateFileW(path.c_str(), access, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        Fail();
        return false;
    }
    return true;
}

bool CFile::Write(const void* data, DWORD size)
{
    DWORD written = 0;
    if (!::WriteFile(m_hFile, data, size, &written, nullptr)) {
        Fail();
        return false;
    }
    if (written != size) {
        m_lastError = FileErrorKind::DiskFull;
        return false;
    }
    return true;
}

DWORD CFile::Read(void* data, DWORD size)
{
    DWORD got = 0;
    if (!::ReadFile(m_hFile, data, size, &got, nullptr)) {
        Fail();
        return 0;
    }
    return got;
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size{};
    return ::GetFileSizeEx(m_hFile, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

void CFile::Close()
{
    if (m_hFile != INVALID_HANDLE_VALUE) {
        ::CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

HANDLE CFile::Detach()
{
    HANDLE handle = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    return handle;
}

std::u16string CFile::ErrorText() const
{
    return FileErrorText(m_lastError, FromWide(m_path));
}

void CFile::Fail()
{
    m_lastError = KindOf(::GetLastError());
}

void CFile::Fail(const std::wstring& path, DWORD error)
{
    m_path = path;
    m_lastError = KindOf(error);
}

bool ReadFileBytes(CFile& file, const std::wstring& path, std::string& bytes, ULONGLONG maxBytes)
{
    if (!file.Open(path, CFile::modeRead))
        return false;
    const ULONGLONG length = std::min(file.GetLength(), maxBytes);
    bytes.assign(static_cast<size_t>(length), '\0');
    size_t got = 0;
    while (got < bytes.size()) {
        const DWORD read = file.Read(bytes.data() + got, static_cast<DWORD>(bytes.size() - got));
        if (read == 0) {
            // A file that shrank while being read counts as a failed read, not as a shorter file.
            file.Close();
            file.Fail(path, ERROR_HANDLE_EOF);
            return false;
        }
        got += read;
    }
    file.Close();
    return true;
}

bool CReplacingFile::Open(const std::wstring& path)
{
    Discard();
    m_path = path;
    const auto slash = path.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
    // Windows' replace refuses a read-only target and Wine's does not: refused here, alike everywhere.
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        m_file.Fail(path, ERROR_ACCESS_DENIED);
        return false;
    }
    if (path.empty() || !::GetTempFileNameW(folder.c_str(), L"q4k", 0, m_temp)) {
        m_temp[0] = L'\0';
        m_file.Fail(path, path.empty() ? ERROR_BAD_PATHNAME : ::GetLastError());
        return false;
    }
    const bool opened = m_file.Open(m_temp, CFile::modeCreateReadWrite);
    m_file.SetFilePath(path);
    if (!opened)
        Discard();
    return opened;
}

bool CReplacingFile::Write(const void* data, DWORD size)
{
    return m_file.Write(data, size);
}

bool FlushAndReplace(HANDLE file, const wchar_t* temp, const wchar_t* destination)
{
    const bool flushed = ::FlushFileBuffers(file);
    const DWORD error = ::GetLastError();
    ::CloseHandle(file);
    if (!flushed) {
        ::SetLastError(error);
        return false;
    }
    return ::MoveFileExW(temp, destination, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

bool CReplacingFile::Commit()
{
    if (FlushAndReplace(m_file.Detach(), m_temp, m_path.c_str())) {
        m_temp[0] = L'\0';
        return true;
    }
    m_file.Fail(m_path, ::GetLastError());
    Discard();
    return false;
}

void CReplacingFile::Discard() noexcept
{
    m_file.Close();
    if (m_temp[0] != L'\0')
        ::DeleteFileW(m_temp);
    m_temp[0] = L'\0';
}

void ReportFileError(const CFile& file)
{
    AfxMessageBox(file.ErrorText(), MB_OK | MB_ICONEXCLAMATION);
}

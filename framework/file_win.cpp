// CFile over the Win32 file API, with Win32 error codes mapped to the framework's reasons.
#include "framework/file_win.h"

#include "framework/message_box_win.h"
#include "framework/wide_win.h"

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

std::u16string CFile::ErrorText() const
{
    return FileErrorText(m_lastError, FromWide(m_path));
}

void CFile::Fail()
{
    m_lastError = KindOf(::GetLastError());
}

void ReportFileError(const CFile& file)
{
    AfxMessageBox(file.ErrorText(), MB_OK | MB_ICONEXCLAMATION);
}

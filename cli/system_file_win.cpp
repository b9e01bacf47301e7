// q4k's file calls on Windows: CreateFileW, FlushFileBuffers, LockFileEx, and the window's own
// flushed replace with write-through; GetLastError as FileFault.
#include "cli/system_file.h"

#include <windows.h>

#include <algorithm>

#include "framework/file_win.h"

namespace
{

HANDLE AsHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

FileFault FaultOf(DWORD error)
{
    switch (error) {
    case ERROR_SUCCESS:
        return FileFault::None;
    case ERROR_WRITE_PROTECT:
        return FileFault::ReadOnly;
    case ERROR_ACCESS_DENIED:
        return FileFault::AccessDenied;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileFault::DiskFull;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileFault::InUse;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
        return FileFault::NotFound;
    default:
        return FileFault::Other;
    }
}

struct OpenWay {
    DWORD access;
    DWORD share;
    DWORD disposition;
};

OpenWay WayOf(SystemFile::Way way)
{
    constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    switch (way) {
    case SystemFile::Way::Read:
        return {GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case SystemFile::Way::CreateNew:
        return {GENERIC_WRITE, 0, CREATE_NEW};
    case SystemFile::Way::InPlace:
        return {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING};
    case SystemFile::Way::Shared:
        break;
    }
    return {GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS};
}

} // namespace

bool SystemFile::Failed()
{
    m_fault = FaultOf(::GetLastError());
    return false;
}

bool SystemFile::Open(const std::filesystem::path& path, Way way)
{
    Close();
    const OpenWay open = WayOf(way);
    HANDLE handle =
        ::CreateFileW(path.c_str(), open.access, open.share, nullptr, open.disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        m_handle = reinterpret_cast<std::intptr_t>(handle);
        return true;
    }
    Failed();
    // Windows refuses a folder as a file with "access denied".
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        m_fault = FileFault::IsFolder;
    return false;
}

bool SystemFile::Write(std::string_view bytes)
{
    // At the end: where a new file stands anyway, and past what other writers added to a shared one.
    LARGE_INTEGER end{};
    ::SetFilePointerEx(AsHandle(m_handle), end, nullptr, FILE_END);
    while (!bytes.empty()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 20));
        DWORD written = 0;
        if (!::WriteFile(AsHandle(m_handle), bytes.data(), want, &written, nullptr))
            return Failed();
        if (written == 0) {
            m_fault = FileFault::DiskFull;
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

bool SystemFile::Sync()
{
    return ::FlushFileBuffers(AsHandle(m_handle)) || Failed();
}

bool SystemFile::TryLock()
{
    OVERLAPPED whole{};
    if (::LockFileEx(AsHandle(m_handle), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                     &whole))
        return true;
    if (::GetLastError() == ERROR_LOCK_VIOLATION || ::GetLastError() == ERROR_IO_PENDING) {
        m_fault = FileFault::None;
        return false;
    }
    return Failed();
}

bool SystemFile::Size(std::uint64_t& size)
{
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(AsHandle(m_handle), &length))
        return Failed();
    size = static_cast<std::uint64_t>(length.QuadPart);
    return true;
}

bool SystemFile::CutTo(std::uint64_t size)
{
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    return (::SetFilePointerEx(AsHandle(m_handle), at, nullptr, FILE_BEGIN) && ::SetEndOfFile(AsHandle(m_handle))) ||
           Failed();
}

bool SystemFile::ReadAll(std::string& bytes, std::size_t cap)
{
    bytes.clear();
    char piece[16384];
    while (bytes.size() < cap) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min(sizeof piece, cap - bytes.size()));
        if (!::ReadFile(AsHandle(m_handle), piece, want, &got, nullptr))
            return ::GetLastError() == ERROR_BROKEN_PIPE || Failed();
        if (got == 0)
            return true;
        bytes.append(piece, got);
    }
    return true;
}

void SystemFile::Close()
{
    if (IsOpen())
        ::CloseHandle(AsHandle(m_handle));
    m_handle = kClosed;
}

bool SystemFile::ReplaceTarget(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    // A read-only target (replaced only when forced) lends its attribute to the file that replaces it.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    if (readOnly)
        ::SetFileAttributesW(target.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    const bool replaced = FlushAndReplace(AsHandle(m_handle), temp.c_str(), target.c_str()) || Failed();
    m_handle = kClosed;
    if (readOnly)
        ::SetFileAttributesW(target.c_str(), attributes);
    return replaced;
}

bool SyncFolder(const std::filesystem::path&, FileFault&)
{
    // Windows has no flush for a folder: the move's write-through and the file's own flush carry its name.
    return true;
}

std::string LockHolder(const std::filesystem::path&)
{
    // Windows does not tell who holds a lock on a file's bytes.
    return {};
}

unsigned long ProcessNumber()
{
    return ::GetCurrentProcessId();
}

// q4k's file calls on POSIX: open, fsync, flock, rename and the folder's fsync; errno as FileFault.
#include "cli/system_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace
{

// The created file gets the usual mode for new files; a replaced one gets its target's mode.
constexpr mode_t kNewFileMode = 0666;

int OpenFlags(SystemFile::Way way)
{
    switch (way) {
    case SystemFile::Way::Read:
        return O_RDONLY;
    case SystemFile::Way::CreateNew:
        return O_WRONLY | O_CREAT | O_EXCL;
    case SystemFile::Way::InPlace:
        return O_WRONLY | O_TRUNC;
    case SystemFile::Way::Shared:
        break;
    }
    return O_RDWR | O_CREAT | O_APPEND;
}

} // namespace

FileFault FileFaultOfErrno(int error)
{
    switch (error) {
    case 0:
        return FileFault::None;
    case EROFS:
        return FileFault::ReadOnly;
    case EACCES:
    case EPERM:
        return FileFault::AccessDenied;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return FileFault::DiskFull;
    case ETXTBSY:
    case EBUSY:
    case EWOULDBLOCK:
        return FileFault::InUse;
    case ENOENT:
    case ENOTDIR:
        return FileFault::NotFound;
    case EISDIR:
        return FileFault::IsFolder;
    default:
        return FileFault::Other;
    }
}

bool SystemFile::Failed()
{
    m_fault = FileFaultOfErrno(errno);
    return false;
}

bool SystemFile::Open(const std::filesystem::path& path, Way way)
{
    Close();
    m_handle = ::open(path.c_str(), OpenFlags(way) | O_CLOEXEC, kNewFileMode);
    return IsOpen() || Failed();
}

bool SystemFile::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(static_cast<int>(m_handle), bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? Failed() : (m_fault = FileFault::DiskFull, false);
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool SystemFile::Sync()
{
    return ::fsync(static_cast<int>(m_handle)) == 0 || Failed();
}

bool SystemFile::TryLock()
{
    if (::flock(static_cast<int>(m_handle), LOCK_EX | LOCK_NB) == 0)
        return true;
    if (errno == EWOULDBLOCK || errno == EINTR) {
        m_fault = FileFault::None;
        return false;
    }
    return Failed();
}

bool SystemFile::Size(std::uint64_t& size)
{
    struct stat info {
    };
    if (::fstat(static_cast<int>(m_handle), &info) != 0)
        return Failed();
    size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool SystemFile::CutTo(std::uint64_t size)
{
    return ::ftruncate(static_cast<int>(m_handle), static_cast<off_t>(size)) == 0 || Failed();
}

bool SystemFile::ReadAll(std::string& bytes, std::size_t cap)
{
    // Read in pieces up to the cap: a small file costs no cap-sized buffer.
    bytes.clear();
    char piece[16384];
    while (bytes.size() < cap) {
        const ssize_t got = ::read(static_cast<int>(m_handle), piece, std::min(sizeof piece, cap - bytes.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Failed();
        if (got == 0)
            return true;
        bytes.append(piece, static_cast<std::size_t>(got));
    }
    return true;
}

void SystemFile::Close()
{
    if (IsOpen())
        ::close(static_cast<int>(m_handle));
    m_handle = kClosed;
}

bool SystemFile::ReplaceTarget(const std::filesystem::path& temp, const std::filesystem::path& target)
{
    const int fd = static_cast<int>(m_handle);
    struct stat old {
    };
    const bool keepMode = ::stat(target.c_str(), &old) == 0;
    const bool written = (!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && ::fsync(fd) == 0;
    if (!written)
        Failed();
    Close();
    if (!written)
        return false;
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return Failed();
    return SyncFolder(target.parent_path(), m_fault);
}

bool SyncFolder(const std::filesystem::path& folder, FileFault& fault)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    // Some file systems (FUSE, some shares) have no sync for a folder and say so; there is nothing more to do.
    const bool synced = fd >= 0 && (::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP || errno == ENOSYS);
    if (!synced)
        fault = FileFaultOfErrno(errno);
    if (fd >= 0)
        ::close(fd);
    return synced;
}

std::string LockHolder(const std::filesystem::path& path)
{
    struct stat info {
    };
    if (::stat(path.c_str(), &info) != 0)
        return {};
    char device[64];
    std::snprintf(device, sizeof device, "%02x:%02x:%llu", major(info.st_dev), minor(info.st_dev),
                  static_cast<unsigned long long>(info.st_ino));
    // Linux lists every lock as "N: FLOCK ADVISORY WRITE PID MAJ:MIN:INODE START END"; waiters have "->".
    std::ifstream locks("/proc/locks");
    for (std::string line; std::getline(locks, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, pid, file;
        if (!(fields >> number >> kind >> mode >> access >> pid >> file) || kind == "->" || file != device ||
            std::to_string(::getpid()) == pid)
            continue;
        std::string name;
        std::getline(std::ifstream("/proc/" + pid + "/comm"), name);
        return (name.empty() ? std::string() : name + " ") + "(PID " + pid + ")";
    }
    return {};
}

unsigned long ProcessNumber()
{
    return static_cast<unsigned long>(::getpid());
}

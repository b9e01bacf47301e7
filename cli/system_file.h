// The system's own file calls behind q4k's writes, so that a write can be synced, a temporary file
// created exclusively and a shared log locked; one implementation per system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/file_fault.h"

class SystemFile
{
  public:
    enum class Way {
        Read,      // a file that is there, for reading
        CreateNew, // a file that must not be there yet (a temporary file)
        InPlace,   // a device or a FIFO that is there, written where it is
        Shared,    // a file others may open too (a log), created when missing; written at its end
    };

    SystemFile() = default;
    ~SystemFile() { Close(); }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    bool Open(const std::filesystem::path& path, Way way);
    bool IsOpen() const { return m_handle != kClosed; }
    bool Write(std::string_view bytes);
    bool Sync();
    // An exclusive lock on the whole file, without waiting; false with Fault() None while another holds it.
    bool TryLock();
    bool Size(std::uint64_t& size);
    // Cuts the file back to its first `size` bytes.
    bool CutTo(std::uint64_t size);
    // The file from where it stands (its start, when just opened; a pipe as it comes), up to `cap` bytes.
    bool ReadAll(std::string& bytes, std::size_t cap);
    void Close();
    FileFault Fault() const { return m_fault; }

    // Puts this file, written as `temp`, in the target's place with the target's mode, so that both
    // are on the disk once it returns; closes the file. POSIX: synced, renamed, the folder synced;
    // Windows: flushed and moved with write-through as the window's own replacing write does.
    bool ReplaceTarget(const std::filesystem::path& temp, const std::filesystem::path& target);

  private:
    bool Failed();

    static constexpr std::intptr_t kClosed = -1;
    std::intptr_t m_handle = kClosed; // a file descriptor or a HANDLE
    FileFault m_fault = FileFault::None;
};

// Syncs a folder, so that a name made in it stays after a power cut; false with the cause in `fault`.
bool SyncFolder(const std::filesystem::path& folder, FileFault& fault);

// Who holds a lock on the file when the system tells, as "NAME (PID N)"; empty otherwise.
std::string LockHolder(const std::filesystem::path& path);

// This process's number, for names of its own.
unsigned long ProcessNumber();

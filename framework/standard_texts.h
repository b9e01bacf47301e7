// The framework's own English messages for file errors.
#pragma once

#include <string>

// Why a file operation failed, as the framework tells the user.
enum class FileErrorKind {
    Generic,
    NotFound,
    BadPath,
    TooManyOpen,
    AccessDenied,
    InvalidFile,
    DirectoryFull,
    HardIo,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
};

// The file-error message naming the file, for example "Access to C:\x.q4k was denied."
std::u16string FileErrorText(FileErrorKind kind, const std::u16string& path);

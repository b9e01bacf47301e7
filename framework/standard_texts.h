// The framework's own English messages: file errors, over-long fields, invalid arguments.
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

// "Please enter no more than N characters."
std::u16string MaxCharsText(int maxChars);

inline constexpr char16_t kInvalidArgumentText[] = u"Invalid argument.";

// What the standard error box says about an exception that reached a window procedure or a worker.
inline constexpr char16_t kOutOfMemoryText[] = u"Out of memory.";
inline constexpr char16_t kInternalErrorText[] = u"An internal application error has occurred.";

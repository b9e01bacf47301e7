// Why a file operation of q4k failed, in the words its messages use.
#pragma once

#include <string>

enum class FileFault {
    None,
    ReadOnly,     // a write-protected medium or file
    AccessDenied, // no permission
    DiskFull,
    InUse,    // another program has it open or locked
    NotFound, // the file or a folder on its path
    IsFolder,
    Other,
};

// The cause in German, as it follows a file's name in brackets: "schreibgeschützt", ...
std::string FileFaultText(FileFault fault);

// The cause of a failed POSIX call from its errno (made by the POSIX part, cli/system_file_posix.cpp).
FileFault FileFaultOfErrno(int error);

// The exit codes of q4k, as --help and the README list them.
#pragma once

enum ExitCode : int {
    kExitDone = 0,
    kExitDifferences = 1, // diff, verify
    kExitUsage = 2,
    kExitNoDevice = 3, // no device answers, or the port cannot be opened
    kExitFile = 4,     // file unsuitable, unreadable or unwritable
    kExitTransfer = 5, // a "Fehler" of the backup, a missing acknowledgement
};

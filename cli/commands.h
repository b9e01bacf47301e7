// The commands of q4k, each given the checked command line; each returns its exit code.
#pragma once

#include <functional>
#include <ostream>

#include "cli/arguments.h"
#include "cli/q4k.h"
#include "link/reply_reading.h"

struct Console {
    Platform& platform;
    std::ostream& out;
    std::ostream& err;
};

int RunPorts(const Arguments& a, Console& c);
int RunIdentify(const Arguments& a, Console& c);
int RunBackupCommand(const Arguments& a, Console& c);
int RunRestoreCommand(const Arguments& a, Console& c);
int RunVerify(const Arguments& a, Console& c);
int RunRollout(const Arguments& a, Console& c);

// How the exchanges read replies: with --fast a reply is taken at its completing CR.
ReplyReading ReplyReadingOf(const Arguments& a);

// Reads a file that is to go to a device, or to be compared with one; it must pass the restore's check.
int ReadConfigurationFile(const std::string& name, Console& c, std::string& bytes);

// Opens the command's port (PORT, its first operand), with the trace and Ctrl+C as every device
// command has them, and runs `run` on it; the exit code of the opening or of `run`.
int WithDevicePort(const Arguments& a, Console& c, const std::function<int(ByteLink& link)>& run);

int RunShow(const Arguments& a, Console& c);
int RunSet(const Arguments& a, Console& c);
int RunDiff(const Arguments& a, Console& c);
int RunCheck(const Arguments& a, Console& c);

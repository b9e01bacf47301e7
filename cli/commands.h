// The commands of q4k, each given the checked command line; each returns its exit code.
#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/q4k.h"

struct Console {
    Platform& platform;
    std::ostream& out;
    std::ostream& err;
};

// What a stop during a restore adds to "abgebrochen".
inline constexpr char kPartialRestoreNote[] =
    "Das Gerät hält jetzt eine unvollständige Konfiguration; die Wiederherstellung muss noch einmal laufen.\n";

// "abgebrochen" and what the stop left behind; the exit code of a command that a stop ended.
int ReportInterrupted(Console& c, const char* note = "");

// "q4k: " and the text, the hint to the help, exit code 2.
int ReportUsageError(Console& c, const std::string& text);

int RunPorts(const Arguments& a, Console& c);
int RunIdentify(const Arguments& a, Console& c);
int RunBackupCommand(const Arguments& a, Console& c);
int RunRestoreCommand(const Arguments& a, Console& c);
int RunVerify(const Arguments& a, Console& c);
int RunRollout(const Arguments& a, Console& c);

int RunShow(const Arguments& a, Console& c);
int RunSet(const Arguments& a, Console& c);
int RunDiff(const Arguments& a, Console& c);
int RunCheck(const Arguments& a, Console& c);

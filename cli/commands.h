// The commands of q4k, each given the checked command line; each returns its exit code.
#pragma once

#include <ostream>
#include <string>

#include "cli/arguments.h"
#include "cli/q4k.h"
#include "link/reply_reading.h"

struct Console {
    Platform& platform;
    std::ostream& out;
    std::ostream& err;
    // What a stop must add to "abgebrochen" (a restore that has begun).
    std::string stopNote = {};
};

// What a stop during a restore adds to "abgebrochen".
inline constexpr char kPartialRestoreNote[] =
    "Das Gerät hält jetzt eine unvollständige Konfiguration; die Wiederherstellung muss noch einmal laufen.\n";

// "q4k: " and the text, the hint to the help, exit code 2.
int ReportUsageError(Console& c, const std::string& text);

int RunPorts(const Arguments& a, Console& c);
int RunIdentify(const Arguments& a, Console& c);
int RunBackupCommand(const Arguments& a, Console& c);
int RunRestoreCommand(const Arguments& a, Console& c);
int RunVerify(const Arguments& a, Console& c);
int RunRollout(const Arguments& a, Console& c);

// How the exchanges read replies: with --fast a reply is taken at its completing CR.
ReplyReading ReplyReadingOf(const Arguments& a);

int RunShow(const Arguments& a, Console& c);
int RunSet(const Arguments& a, Console& c);
int RunDiff(const Arguments& a, Console& c);
int RunCheck(const Arguments& a, Console& c);

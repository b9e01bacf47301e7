// The commands of q4k, each given the checked command line; each returns its exit code.
#pragma once

#include <ostream>

#include "cli/arguments.h"
#include "cli/q4k.h"

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

int RunShow(const Arguments& a, Console& c);
int RunSet(const Arguments& a, Console& c);
int RunDiff(const Arguments& a, Console& c);
int RunCheck(const Arguments& a, Console& c);

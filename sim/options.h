// The command line of the simulator program, and the lines of its control FIFO.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/faults.h"

struct SimOptions {
    std::string linkPath;             // --link PATH: symbolic link to the slave
    std::string ptyFile;              // --pty-file FILE: the slave's path is written there when ready
    std::string imageFile;            // --image FILE: memory image loaded at start
    std::string saveImageFile;        // --save-image FILE: image written at exit and on "save"
    std::string logFile;              // --log FILE: one line per command received
    std::string dumpFile;             // --dump FILE: image written at exit and on SIGUSR1
    std::string controlPath;          // --control PATH: FIFO for control lines
    bool pace = false;                // --pace: 9600 baud on the line
    std::optional<std::string> ident; // --ident TEXT, escapes resolved
    std::vector<Fault> faults;        // --fault FAULT, repeatable
};

inline constexpr std::string_view kUsage =
    "usage: q4sim [--link PATH] [--pty-file FILE] [--image FILE] [--save-image FILE]\n"
    "             [--log FILE] [--dump FILE] [--pace] [--ident TEXT] [--fault FAULT]...\n"
    "             [--control PATH]\n"
    "faults: silent babble noise no-reply=AA no-cr=AA trailing=AA short=AA:N reply-late=AA:MS\n"
    "        reply-gap=AA:MS ident-late=MS ack-never=AA ack-late=AA:MS ack-split=AA ack-noise=AA\n"
    "        vanish-after=N after-end-only\n"
    "        (AA: 01-7F, BC, 80-9F or *)\n"
    "control lines: fault FAULT | clear-faults | ident TEXT | pace on|off | dump | save | set AA HEX128\n";

struct ParsedCommandLine {
    SimOptions options;
    bool help = false;
    std::string error; // empty when the command line is fine
};

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

enum class ControlKind { Fault, ClearFaults, Ident, Pace, Dump, Save, Set };

struct ControlCommand {
    ControlKind kind = ControlKind::Dump;
    Fault fault;              // Fault
    std::string text;         // Ident: escapes resolved; Set: the 128 data characters
    bool on = false;          // Pace
    std::uint8_t address = 0; // Set
};

// One control line: an option without its leading dashes. Nothing, with error set, when bad.
std::optional<ControlCommand> ParseControlLine(std::string_view line, std::string& error);

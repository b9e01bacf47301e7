// The commands of q4k, listed once: the parsing checks a command line against its entry, the
// dispatch runs its handler and the help prints its lines.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "cli/arguments.h"

struct Console;

// The options a command takes besides -q, -h and --version.
enum CommandOption : unsigned {
    kTraceOption = 1u << 0,    // --trace: the command talks to a device
    kJsonOption = 1u << 1,     // --json
    kSetOptions = 1u << 2,     // -o OUT (then required) and the settings' options
    kForceOption = 1u << 3,    // -f, --force
    kVerifyOption = 1u << 4,   // --verify
    kFastOption = 1u << 5,     // --fast
    kRolloutOptions = 1u << 6, // --archive DIR (then required), --loop, --dry-run
};

// Where the help lists a command.
enum class CommandGroup { Device, File };

struct CommandSpec {
    std::string_view name;
    std::size_t operands;
    CommandGroup group;
    unsigned options; // CommandOption bits
    int (*run)(const Arguments& a, Console& c);
    std::string_view help; // its lines in the help, each ending in a newline
};

std::span<const CommandSpec> CommandTable();

// The entry of the named command, or nothing for an unknown name.
const CommandSpec* FindCommand(std::string_view name);

// The names of the commands that take the option, joined by ", " (for usage errors).
std::string CommandsTaking(CommandOption option);

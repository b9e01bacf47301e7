// The commands of q4k, listed once: the parsing checks a command line against its entry, the
// dispatch runs its handler, and the help and the completion list it.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "cli/option_table.h"

struct Console;

// Where the help lists a command.
enum class CommandGroup { Device, File, Shell };

struct CommandSpec {
    std::string_view name;
    std::size_t operands;
    CommandGroup group;
    OptionSet options; // besides kEveryCommand
    int (*run)(const Arguments& a, Console& c);
    std::string_view help;       // its lines in the help before its options, each ending in a newline
    std::string_view notes = {}; // lines after its options
};

std::span<const CommandSpec> CommandTable();

// The entry of the named command, or nothing for an unknown name.
const CommandSpec* FindCommand(std::string_view name);

// Whether the command may be given the option.
bool Allows(const CommandSpec& command, Option option);

// The names of the commands that take the option, joined by ", " (for usage errors).
std::string CommandsTaking(Option option);

// The options of q4k, each declared once: its spellings, its value, its line in the help. The
// parsing, the check of what a command takes, the help and the shell completion all read it.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

enum class Option : unsigned {
    Trace,
    Wait,
    Fast,
    Json,
    Force,
    Verify,
    Output,
    Role,
    OwnId,
    Quick,
    Name,
    AutoTransfer,
    ReadGroups,
    AppendOwnId,
    IdentityFrom,
    Archive,
    Loop,
    DryRun,
    Quiet,
    Help,
    Version,
};

// The options a command takes, one bit each.
using OptionSet = std::uint32_t;

constexpr OptionSet Bit(Option option)
{
    return OptionSet{1} << static_cast<unsigned>(option);
}

template <typename... Options> constexpr OptionSet Takes(Options... options)
{
    return (Bit(options) | ...);
}

// What follows the option on the command line, and what the completion offers there.
enum class OptionValue {
    None,   // a switch
    File,   // a file name
    Folder, // a folder name
    Choice, // one of the words of `value`, separated by "|"
    Text,   // anything
};

// Where the help describes the option.
enum class HelpPlace {
    Synopsis, // the command's own lines name it
    Command,  // a line under its command
    Options,  // a line under "Optionen:"
};

struct OptionSpec {
    Option option;
    std::string_view name;      // "--force"
    std::string_view shortName; // "-f", or empty
    OptionValue kind;
    std::string_view value; // the value as the help names it ("LOG", "master|slave")
    HelpPlace place;
    std::string_view help; // its text in the help; a further line starts after a newline
    // Options that only one group of commands takes share their usage error ("Diese Optionen");
    // empty: the error names the option.
    std::string_view group = {};
    bool required = false; // a command that takes it cannot do without it
};

std::span<const OptionSpec> OptionTable();

// The entry of "--name" or "-n", or nothing for an unknown word.
const OptionSpec* FindOption(std::string_view word);

// What every command takes besides its own options.
inline constexpr OptionSet kEveryCommand = Takes(Option::Quiet, Option::Help, Option::Version);

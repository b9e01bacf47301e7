// The command line of q4k: a command, its operands and options, checked against what each
// command takes. Values are kept as given (UTF-8); their meaning is checked by the commands.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct Arguments {
    std::string command; // empty with --help or --version alone
    std::vector<std::string> operands;
    bool help = false;
    bool version = false;
    bool quiet = false;
    bool json = false;
    std::string trace;  // --trace FILE
    std::string output; // -o OUT
    std::optional<std::string> role;
    std::optional<std::string> ownId;
    std::vector<std::pair<int, std::string>> quickIds; // --quick K=ID
    std::vector<std::pair<int, std::string>> names;    // --name K=TEXT
    std::optional<std::string> autoTransfer;           // "on" or "off"
    std::optional<std::string> readGroups;             // "on" or "off"
    bool appendOwnId = false;
    std::string identityFrom;       // --identity-from FILE (set)
    std::string archive;            // --archive DIR (rollout)
    bool loop = false;              // --loop (rollout)
    bool dryRun = false;            // --dry-run (rollout)
    bool fast = false;              // --fast: a reply ends at its CR (see ReplyReading)
    std::optional<int> waitSeconds; // --wait SECONDS
    bool force = false;             // -f, --force
    bool verify = false;            // restore --verify
};

struct ParsedArguments {
    Arguments arguments;
    std::string error; // a German message for a usage error; empty when the line is good
};

// Options may stand before or after the operands; "--name=value" and "--name value" both work.
// "q4k help CMD" is "q4k CMD --help". A device command given one operand less than it takes gets
// `defaultPort` (the environment's Q4K_PORT) as its first, when that is not empty.
ParsedArguments ParseArguments(const std::vector<std::string>& words, const std::string& defaultPort = {});

// The German help of q4k.
#pragma once

#include <string>

struct CommandSpec;

// The whole help: the usage, every command's lines from the command table, the options and exit codes.
std::string HelpText();

// One command's help ("q4k help CMD", "q4k CMD --help"): its lines and the options it takes.
std::string CommandHelpText(const CommandSpec& command);

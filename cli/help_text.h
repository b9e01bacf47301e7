// The German help of q4k.
#pragma once

#include <string>

// The whole help: the usage, every command's lines from the command table, the options and exit codes.
std::string HelpText();

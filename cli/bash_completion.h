// The bash completion of q4k, made from its tables of commands and options.
#pragma once

#include <string>

#include "cli/arguments.h"

struct Console;

// The script that `complete -F _q4k q4k` wires up: commands, each command's options, the values
// of the options that take a set of words, serial ports for PORT, files otherwise.
std::string BashCompletion();

// "q4k completion": prints the script.
int RunCompletion(const Arguments& a, Console& c);

// The driver's command table: each command names its arguments and fills a reply.
#pragma once

#include "protocol.h"

#include <span>
#include <string>
#include <vector>

using Args = std::vector<std::wstring>; // arguments after the command word

struct Command {
    const char* name;
    const char* usage; // argument synopsis shown by "help"
    size_t minArgs;
    void (*run)(const Args& args, JsonReply& reply);
};

// One table per file of commands; the dispatcher searches them in turn.
std::span<const Command> WindowCommands();
std::span<const Command> InputCommands();
std::span<const Command> KeyboardCommands();
std::span<const Command> ControlCommands();
std::span<const Command> DialogCommands();
std::span<const Command> ProcessCommands();
std::span<const Command> SystemCommands();

// An optional argument: args[index] when present, else the fallback.
std::wstring OptionalArg(const Args& args, size_t index, const std::wstring& fallback);

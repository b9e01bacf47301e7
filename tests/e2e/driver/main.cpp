// q4drive: drives another program's windows for the end-to-end tests. Reads one
// command per line on stdin and answers each with one JSON line on stdout.
#include "commands.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace
{

const std::array<std::span<const Command> (*)(), 7> kTables = {
    WindowCommands, InputCommands, KeyboardCommands, ControlCommands, DialogCommands, ProcessCommands, SystemCommands,
};

const Command* FindCommand(const std::wstring& name)
{
    for (auto table : kTables)
        for (const Command& command : table())
            if (name.size() == std::strlen(command.name) && std::equal(name.begin(), name.end(), command.name))
                return &command;
    return nullptr;
}

std::string Usage()
{
    std::string text;
    for (auto table : kTables)
        for (const Command& command : table())
            text += std::string(command.name) + " " + command.usage + "\n";
    return text + "quit";
}

std::string Execute(const std::string& line)
{
    try {
        Args args = SplitArguments(line);
        if (args.empty())
            throw CommandError("empty command");
        std::wstring name = args.front();
        args.erase(args.begin());
        JsonReply reply;
        reply.Add("ok", true);
        if (name == L"help")
            return reply.Add("usage", Usage().c_str()).Text();
        const Command* command = FindCommand(name);
        if (!command)
            throw CommandError("unknown command: " + std::string(name.begin(), name.end()));
        if (args.size() < command->minArgs)
            throw CommandError(std::string("usage: ") + command->name + " " + command->usage);
        command->run(args, reply);
        return reply.Text();
    } catch (const std::exception& e) {
        return JsonReply().Add("ok", false).Add("error", e.what()).Text();
    }
}

} // namespace

std::wstring OptionalArg(const Args& args, size_t index, const std::wstring& fallback)
{
    return index < args.size() ? args[index] : fallback;
}

int wmain()
{
    // Binary mode: replies end in a bare LF whatever the C runtime's text mode does.
    _setmode(_fileno(stdout), _O_BINARY);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line == "quit")
            break;
        std::string reply = Execute(line) + "\n";
        std::fwrite(reply.data(), 1, reply.size(), stdout);
        std::fflush(stdout);
    }
    return 0;
}

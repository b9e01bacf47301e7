// The bash completion of q4k. Its texts are raw strings: they are shell code, not messages.
#include "cli/bash_completion.h"

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"

namespace
{

constexpr char kHead[] = R"(# bash completion for q4k, made by "q4k completion" from q4k's own tables.
_q4k()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} options
)";

constexpr char kTail[] = R"(    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [ "$COMP_CWORD" -eq 2 ] && [[ " $devices " == *" ${COMP_WORDS[1]} "* ]]; then
        local ports
        ports=$(ls /dev/ttyUSB* /dev/ttyACM* /dev/ttyS* /dev/serial/by-id/* 2>/dev/null)
        COMPREPLY=($(compgen -W "$ports" -- "$cur"))
    else
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -F _q4k q4k
)";

std::string Joined(const std::string& words, std::string_view word, const char* separator)
{
    return words.empty() ? std::string(word) : words + separator + std::string(word);
}

// `name` and its short form, each joined to `words`.
std::string WithSpellings(std::string words, const OptionSpec& declared, const char* separator)
{
    if (!declared.shortName.empty())
        words = Joined(words, declared.shortName, separator);
    return Joined(words, declared.name, separator);
}

// A shell variable holding the words.
std::string Local(std::string_view name, const std::string& words)
{
    return R"(    local )" + std::string(name) + R"(=")" + words + R"("
)";
}

// What is offered after an option that takes a value.
std::string ValueCases()
{
    std::string files;
    std::string folders;
    std::string anything;
    std::string cases;
    for (const OptionSpec& declared : OptionTable()) {
        switch (declared.kind) {
        case OptionValue::File:
            files = WithSpellings(files, declared, "|");
            break;
        case OptionValue::Folder:
            folders = WithSpellings(folders, declared, "|");
            break;
        case OptionValue::Text:
            anything = WithSpellings(anything, declared, "|");
            break;
        case OptionValue::Choice: {
            std::string words(declared.value);
            for (char& ch : words)
                ch = ch == '|' ? ' ' : ch;
            cases += "        " + WithSpellings("", declared, "|") + R"() COMPREPLY=($(compgen -W ")" + words +
                     R"(" -- "$cur")); return ;;
)";
            break;
        }
        case OptionValue::None:
            break;
        }
    }
    return R"(    case $prev in
        )" +
           files + R"() COMPREPLY=($(compgen -f -- "$cur")); return ;;
        )" +
           folders + R"() COMPREPLY=($(compgen -d -- "$cur")); return ;;
)" + cases +
           "        " + anything + R"() return ;;
    esac
)";
}

// Each command's options.
std::string OptionCases()
{
    std::string cases = R"(    case ${COMP_WORDS[1]} in
        help) COMPREPLY=($(compgen -W "$commands" -- "$cur")); return ;;
)";
    for (const CommandSpec& command : CommandTable()) {
        std::string options;
        for (const OptionSpec& declared : OptionTable())
            if (Allows(command, declared.option))
                options = WithSpellings(options, declared, " ");
        cases += "        " + std::string(command.name) + R"() options=")" + options + R"(" ;;
)";
    }
    return cases + R"(    esac
)";
}

} // namespace

std::string BashCompletion()
{
    std::string commands;
    std::string devices;
    for (const CommandSpec& command : CommandTable()) {
        commands = Joined(commands, command.name, " ");
        if (command.group == CommandGroup::Device && command.operands > 0)
            devices = Joined(devices, command.name, " ");
    }
    commands = Joined(commands, "help", " ");
    const std::string locals = Local("commands", commands) + Local("devices", devices);
    return kHead + locals + R"(    if [ "$COMP_CWORD" -eq 1 ]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi
)" + ValueCases() +
           OptionCases() + kTail;
}

int RunCompletion(const Arguments&, Console& c)
{
    c.out << BashCompletion();
    return kExitDone;
}

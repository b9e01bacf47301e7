// Parsing and checking the command line.
#include "cli/arguments.h"

#include "cli/command_table.h"

namespace
{

bool TakesValue(const std::string& option)
{
    static const char* const kValued[] = {"--trace",  "-o",     "--output",        "--role",        "--own-id",
                                          "--quick",  "--name", "--auto-transfer", "--read-groups", "--identity-from",
                                          "--archive"};
    for (const char* valued : kValued)
        if (option == valued)
            return true;
    return false;
}

// "K=VALUE" with K one digit 0-9.
bool SplitIndexed(const std::string& value, std::pair<int, std::string>& out)
{
    if (value.size() < 2 || value[0] < '0' || value[0] > '9' || value[1] != '=')
        return false;
    out = {value[0] - '0', value.substr(2)};
    return true;
}

bool IsOnOff(const std::string& value)
{
    return value == "on" || value == "off";
}

std::string ApplyValue(Arguments& a, const std::string& option, const std::string& value)
{
    if (option == "--trace") {
        a.trace = value;
    } else if (option == "-o" || option == "--output") {
        a.output = value;
    } else if (option == "--role") {
        if (value != "master" && value != "slave")
            return "--role erwartet master oder slave.";
        a.role = value;
    } else if (option == "--own-id") {
        a.ownId = value;
    } else if (option == "--quick" || option == "--name") {
        std::pair<int, std::string> indexed;
        if (!SplitIndexed(value, indexed))
            return option + " erwartet K=WERT mit K von 0 bis 9.";
        (option == "--quick" ? a.quickIds : a.names).push_back(indexed);
    } else if (option == "--auto-transfer" || option == "--read-groups") {
        if (!IsOnOff(value))
            return option + " erwartet on oder off.";
        (option == "--auto-transfer" ? a.autoTransfer : a.readGroups) = value;
    } else if (option == "--identity-from") {
        a.identityFrom = value;
    } else if (option == "--archive") {
        a.archive = value;
    }
    return {};
}

// An option without a value.
std::string ApplyFlag(Arguments& a, const std::string& option)
{
    if (option == "-h" || option == "--help")
        a.help = true;
    else if (option == "--version")
        a.version = true;
    else if (option == "-q" || option == "--quiet")
        a.quiet = true;
    else if (option == "--json")
        a.json = true;
    else if (option == "--append-own-id")
        a.appendOwnId = true;
    else if (option == "--loop")
        a.loop = true;
    else if (option == "--dry-run")
        a.dryRun = true;
    else if (option == "--fast")
        a.fast = true;
    else
        return "Unbekannte Option: " + option;
    return {};
}

bool HasSetOptions(const Arguments& a)
{
    return !a.output.empty() || a.role || a.ownId || !a.quickIds.empty() || !a.names.empty() || a.autoTransfer ||
           a.readGroups || a.appendOwnId || !a.identityFrom.empty();
}

bool HasRolloutOptions(const Arguments& a)
{
    return !a.archive.empty() || a.loop || a.dryRun;
}

std::string CheckShape(const Arguments& a)
{
    if (a.help || a.version)
        return {};
    if (a.command.empty())
        return "Kein Befehl angegeben.";
    const CommandSpec* command = FindCommand(a.command);
    if (!command)
        return "Unbekannter Befehl: " + a.command;
    if (a.operands.size() != command->operands)
        return a.command + " erwartet " + std::to_string(command->operands) + " Angabe(n), nicht " +
               std::to_string(a.operands.size()) + ".";
    if (!a.trace.empty() && !(command->options & kTraceOption))
        return "--trace gilt nur für Befehle, die mit einem Gerät sprechen.";
    if (a.json && !(command->options & kJsonOption))
        return "--json gilt nur für " + CommandsTaking(kJsonOption) + ".";
    if ((command->options & kSetOptions) && a.output.empty())
        return a.command + " braucht -o OUT.";
    if (!(command->options & kSetOptions) && HasSetOptions(a))
        return "Diese Optionen gelten nur für " + CommandsTaking(kSetOptions) + ".";
    if ((command->options & kRolloutOptions) && a.archive.empty())
        return a.command + " braucht --archive ORDNER.";
    if (!(command->options & kRolloutOptions) && HasRolloutOptions(a))
        return "--archive, --loop und --dry-run gelten nur für " + CommandsTaking(kRolloutOptions) + ".";
    if (a.fast && !(command->options & kFastOption))
        return "--fast gilt nur für " + CommandsTaking(kFastOption) + ".";
    return {};
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& words)
{
    ParsedArguments parsed;
    Arguments& a = parsed.arguments;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            if (a.command.empty())
                a.command = word;
            else
                a.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        std::string value;
        bool hasValue = false;
        if (const auto eq = word.find('='); word.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = word.substr(eq + 1);
            word = word.substr(0, eq);
            hasValue = true;
        }
        if (TakesValue(word)) {
            if (!hasValue) {
                if (i + 1 >= words.size()) {
                    parsed.error = word + " braucht einen Wert.";
                    return parsed;
                }
                value = words[++i];
            }
            parsed.error = ApplyValue(a, word, value);
        } else {
            parsed.error = hasValue ? word + " nimmt keinen Wert." : ApplyFlag(a, word);
        }
        if (!parsed.error.empty())
            return parsed;
    }
    parsed.error = CheckShape(a);
    return parsed;
}

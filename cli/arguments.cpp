// Parsing and checking the command line.
#include "cli/arguments.h"

#include <charconv>

#include "cli/command_table.h"

namespace
{

bool TakesValue(const std::string& option)
{
    static const char* const kValued[] = {"--trace",       "-o",      "--output",        "--role",
                                          "--own-id",      "--quick", "--name",          "--auto-transfer",
                                          "--read-groups", "--wait",  "--identity-from", "--archive"};
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

// Longer than any technician waits at a vehicle.
constexpr int kMaxWaitSeconds = 3600;

std::optional<int> Seconds(const std::string& value)
{
    int seconds = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), seconds);
    if (value.empty() || ec != std::errc() || end != value.data() + value.size() || seconds < 0 ||
        seconds > kMaxWaitSeconds)
        return std::nullopt;
    return seconds;
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
    } else if (option == "--wait") {
        a.waitSeconds = Seconds(value);
        if (!a.waitSeconds)
            return "--wait erwartet Sekunden von 0 bis " + std::to_string(kMaxWaitSeconds) + ".";
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
    else if (option == "-f" || option == "--force")
        a.force = true;
    else if (option == "--verify")
        a.verify = true;
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

// One option of a single kind: its bit, whether it was given, how the message names it.
struct OptionUse {
    CommandOption bit;
    bool given;
    const char* name;
};

std::string CheckShape(Arguments& a, const std::string& defaultPort)
{
    if (a.command == "help" && a.operands.size() <= 1) {
        a.help = true;
        a.command = a.operands.empty() ? "" : a.operands[0];
        a.operands.clear();
    }
    if (a.version || (a.help && a.command.empty()))
        return {};
    if (a.command.empty())
        return "Kein Befehl angegeben.";
    const CommandSpec* command = FindCommand(a.command);
    if (!command)
        return "Unbekannter Befehl: " + a.command;
    if (a.help)
        return {};
    if (command->group == CommandGroup::Device && !defaultPort.empty() && a.operands.size() + 1 == command->operands)
        a.operands.insert(a.operands.begin(), defaultPort);
    if (a.operands.size() != command->operands)
        return a.command + " erwartet " + std::to_string(command->operands) + " Angabe(n), nicht " +
               std::to_string(a.operands.size()) + ".";
    for (const OptionUse& use :
         {OptionUse{kTraceOption, !a.trace.empty(), "--trace"}, OptionUse{kJsonOption, a.json, "--json"},
          OptionUse{kTraceOption, a.waitSeconds.has_value(), "--wait"}, OptionUse{kForceOption, a.force, "--force"},
          OptionUse{kVerifyOption, a.verify, "--verify"}, OptionUse{kFastOption, a.fast, "--fast"}})
        if (use.given && !(command->options & use.bit))
            return std::string(use.name) + " gilt nur für " + CommandsTaking(use.bit) + ".";
    if ((command->options & kSetOptions) && a.output.empty())
        return a.command + " braucht -o OUT.";
    if (!(command->options & kSetOptions) && HasSetOptions(a))
        return "Diese Optionen gelten nur für " + CommandsTaking(kSetOptions) + ".";
    if ((command->options & kRolloutOptions) && a.archive.empty())
        return a.command + " braucht --archive ORDNER.";
    if (!(command->options & kRolloutOptions) && HasRolloutOptions(a))
        return "--archive, --loop und --dry-run gelten nur für " + CommandsTaking(kRolloutOptions) + ".";
    return {};
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& words, const std::string& defaultPort)
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
    parsed.error = CheckShape(a, defaultPort);
    return parsed;
}

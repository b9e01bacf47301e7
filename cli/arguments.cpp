// Parsing and checking the command line.
#include "cli/arguments.h"

#include <charconv>

#include "cli/command_table.h"

namespace
{

using enum Option;

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

std::string ApplyValue(Arguments& a, const OptionSpec& declared, const std::string& value)
{
    const std::string option(declared.name);
    switch (declared.option) {
    case Trace:
        a.trace = value;
        break;
    case Output:
        a.output = value;
        break;
    case Role:
        if (value != "master" && value != "slave")
            return "--role erwartet master oder slave.";
        a.role = value;
        break;
    case OwnId:
        a.ownId = value;
        break;
    case Quick:
    case Name: {
        std::pair<int, std::string> indexed;
        if (!SplitIndexed(value, indexed))
            return option + " erwartet K=WERT mit K von 0 bis 9.";
        (declared.option == Quick ? a.quickIds : a.names).push_back(indexed);
        break;
    }
    case AutoTransfer:
    case ReadGroups:
        if (!IsOnOff(value))
            return option + " erwartet on oder off.";
        (declared.option == AutoTransfer ? a.autoTransfer : a.readGroups) = value;
        break;
    case Wait:
        a.waitSeconds = Seconds(value);
        if (!a.waitSeconds)
            return "--wait erwartet Sekunden von 0 bis " + std::to_string(kMaxWaitSeconds) + ".";
        break;
    case IdentityFrom:
        a.identityFrom = value;
        break;
    case Archive:
        a.archive = value;
        break;
    default:
        break;
    }
    return {};
}

// A switch: an option without a value.
void ApplySwitch(Arguments& a, Option option)
{
    switch (option) {
    case Help:
        a.help = true;
        break;
    case Version:
        a.version = true;
        break;
    case Quiet:
        a.quiet = true;
        break;
    case Json:
        a.json = true;
        break;
    case AppendOwnId:
        a.appendOwnId = true;
        break;
    case Force:
        a.force = true;
        break;
    case Verify:
        a.verify = true;
        break;
    case Loop:
        a.loop = true;
        break;
    case DryRun:
        a.dryRun = true;
        break;
    case Fast:
        a.fast = true;
        break;
    default:
        break;
    }
}

// The usage error for an option the command does not take, or one it needs and lacks.
std::string CheckOptions(const Arguments& a, const CommandSpec& command, OptionSet given)
{
    for (const OptionSpec& declared : OptionTable()) {
        const bool isGiven = (given & Bit(declared.option)) != 0;
        if (isGiven && !Allows(command, declared.option))
            return declared.group.empty()
                       ? std::string(declared.name) + " gilt nur für " + CommandsTaking(declared.option) + "."
                       : std::string(declared.group) + " gelten nur für " + CommandsTaking(declared.option) + ".";
        if (declared.required && !isGiven && Allows(command, declared.option))
            return a.command + " braucht " +
                   std::string(declared.shortName.empty() ? declared.name : declared.shortName) + " " +
                   std::string(declared.value) + ".";
    }
    return {};
}

std::string CheckShape(Arguments& a, OptionSet given, const std::string& defaultPort)
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
    return CheckOptions(a, *command, given);
}

// The option words[i] (and its value, which may be the next word); a usage error or nothing.
std::string TakeOption(const std::vector<std::string>& words, std::size_t& i, Arguments& a, OptionSet& given)
{
    std::string word = words[i];
    std::string value;
    bool hasValue = false;
    if (const auto eq = word.find('='); word.compare(0, 2, "--") == 0 && eq != std::string::npos) {
        value = word.substr(eq + 1);
        word = word.substr(0, eq);
        hasValue = true;
    }
    const OptionSpec* declared = FindOption(word);
    if (!declared)
        return "Unbekannte Option: " + word;
    given |= Bit(declared->option);
    if (declared->kind == OptionValue::None) {
        if (hasValue)
            return word + " nimmt keinen Wert.";
        ApplySwitch(a, declared->option);
        return {};
    }
    if (!hasValue) {
        if (i + 1 >= words.size())
            return word + " braucht einen Wert.";
        value = words[++i];
    }
    return ApplyValue(a, *declared, value);
}

} // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& words, const std::string& defaultPort)
{
    ParsedArguments parsed;
    Arguments& a = parsed.arguments;
    bool optionsEnded = false;
    OptionSet given = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            if (a.command.empty())
                a.command = word;
            else
                a.operands.push_back(word);
        } else if (word == "--") {
            optionsEnded = true;
        } else if (parsed.error = TakeOption(words, i, a, given); !parsed.error.empty()) {
            return parsed;
        }
    }
    parsed.error = CheckShape(a, given, defaultPort);
    return parsed;
}

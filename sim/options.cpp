// Reading the command line and the control lines.
#include "sim/options.h"

#include "sim/hex_text.h"
#include "sim/record_address.h"
#include "sim/text_escapes.h"

namespace
{

// Two upper-case hex digits or "XX" per byte, so that a typo is refused rather than kept silently.
bool IsRecordText(std::string_view hex)
{
    for (std::size_t k = 0; k + 1 < hex.size(); k += 2) {
        if (!ParseHexPair(hex[k], hex[k + 1]) && hex.substr(k, 2) != "XX")
            return false;
    }
    return true;
}

} // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args)
{
    ParsedCommandLine parsed;
    SimOptions& o = parsed.options;
    for (std::size_t i = 0; i < args.size() && parsed.error.empty(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
            continue;
        }
        if (arg == "--pace") {
            o.pace = true;
            continue;
        }
        std::string* target = arg == "--link"         ? &o.linkPath
                              : arg == "--pty-file"   ? &o.ptyFile
                              : arg == "--image"      ? &o.imageFile
                              : arg == "--save-image" ? &o.saveImageFile
                              : arg == "--log"        ? &o.logFile
                              : arg == "--dump"       ? &o.dumpFile
                              : arg == "--control"    ? &o.controlPath
                                                      : nullptr;
        const bool takesValue = target || arg == "--ident" || arg == "--fault";
        if (!takesValue) {
            parsed.error = "unknown option '" + arg + "'";
            break;
        }
        if (i + 1 == args.size()) {
            parsed.error = "option '" + arg + "' needs a value";
            break;
        }
        const std::string& value = args[++i];
        if (target) {
            *target = value;
        } else if (arg == "--ident") {
            o.ident = Unescape(value, parsed.error);
        } else if (const auto fault = ParseFault(value, parsed.error)) {
            o.faults.push_back(*fault);
        }
    }
    return parsed;
}

std::optional<ControlCommand> ParseControlLine(std::string_view line, std::string& error)
{
    const std::size_t space = line.find(' ');
    const std::string_view word = line.substr(0, space);
    const std::string_view rest = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    ControlCommand command;
    if (word == "fault") {
        const auto fault = ParseFault(rest, error);
        if (!fault)
            return std::nullopt;
        command.kind = ControlKind::Fault;
        command.fault = *fault;
    } else if (word == "ident" && space != std::string_view::npos) {
        const auto text = Unescape(rest, error);
        if (!text)
            return std::nullopt;
        command.kind = ControlKind::Ident;
        command.text = *text;
    } else if (word == "pace" && (rest == "on" || rest == "off")) {
        command.kind = ControlKind::Pace;
        command.on = rest == "on";
    } else if (word == "set") {
        const auto address = ParseAddress(rest.substr(0, 2));
        if (!address || rest.size() != 3 + kRecordHexChars || rest[2] != ' ' || !IsRecordText(rest.substr(3))) {
            error = "usage: set AA HEX128 (upper-case hex, XX keeps a byte)";
            return std::nullopt;
        }
        command.kind = ControlKind::Set;
        command.address = *address;
        command.text = rest.substr(3);
    } else if ((word == "clear-faults" || word == "dump" || word == "save") && rest.empty()) {
        command.kind = word == "dump"   ? ControlKind::Dump
                       : word == "save" ? ControlKind::Save
                                        : ControlKind::ClearFaults;
    } else {
        error = "unknown control line '" + std::string(line) + "'";
        return std::nullopt;
    }
    return command;
}

// The help of q4k, made from the command and option tables.
#include "cli/help_text.h"

#include <algorithm>
#include <vector>

#include "cli/command_table.h"

namespace
{

constexpr char kIntro[] = R"(q4k - Konfiguration eines Quendal 4 sichern, übertragen, prüfen und bearbeiten

Aufruf: q4k BEFEHL [OPTIONEN]
       q4k help BEFEHL

)";

struct GroupHeading {
    CommandGroup group;
    const char* heading;
};

constexpr GroupHeading kGroups[] = {
    {CommandGroup::Device, "Befehle, die mit dem Gerät sprechen (PORT z. B. /dev/ttyUSB0 oder COM3):\n"},
    {CommandGroup::File, "Befehle für Dateien:\n"},
    {CommandGroup::Shell, "Für die Shell:\n"},
};

constexpr char kPortNote[] = "  PORT darf fehlen, wenn die Umgebungsvariable Q4K_PORT ihn nennt.\n";
constexpr char kDashNote[] = "DATEI \"-\" ist die Standardeingabe, AUS \"-\" die Standardausgabe.\n";

constexpr char kExitCodes[] = R"(
Exit-Codes:
  0  erledigt (rollout: jedes Fahrzeug ist umgestellt und geprüft)
  1  Unterschiede gefunden (diff, verify, restore --verify, die Prüfung in rollout)
  2  Aufruf fehlerhaft
  3  kein Gerät antwortet (oder der Port lässt sich nicht öffnen)
  4  Datei ungeeignet, nicht lesbar oder nicht schreibbar (rollout: auch das Archiv)
  5  Übertragung fehlgeschlagen (ein "Fehler" beim Auslesen, eine fehlende Quittung)
  130  abgebrochen mit Strg+C (keine halb geschriebene Datei bleibt zurück)
rollout --loop: 0 nur, wenn jedes Fahrzeug gelang, sonst der Code des ersten fehlgeschlagenen.
Strg+C zwischen zwei Fahrzeugen beendet die Schleife mit diesem Code, Strg+C während eines
Fahrzeugs mit 130.
)";

constexpr char kExamples[] = R"(
Beispiel:
  q4k backup /dev/ttyUSB0 fahrzeug-12.q4k && q4k verify /dev/ttyUSB0 fahrzeug-12.q4k
  q4k set fahrzeug-12.q4k -o fahrzeug-12.q4k --own-id 12AB34CD --name 1="RTW 2" --append-own-id
  # die Vorlage: die Sicherung eines Fahrzeugs, das die neue Grundkonfiguration schon hat
  q4k backup /dev/ttyUSB0 basis-2027.q4k
  q4k rollout /dev/ttyUSB0 basis-2027.q4k --archive archiv --loop
)";

// Where an option's text starts.
constexpr std::size_t kTextColumn = 28;
// Options without a text of their own share lines, each at the next of these columns.
constexpr std::size_t kGridColumns[] = {6, 28, 51, 72};

std::string Spelled(const OptionSpec& declared)
{
    std::string spelled = declared.shortName.empty() ? "" : std::string(declared.shortName) + ", ";
    spelled += declared.name;
    if (!declared.value.empty())
        spelled += " " + std::string(declared.value);
    return spelled;
}

// The option at `indent`, its text from the text column on, each further line indented to it.
std::string OptionLines(const OptionSpec& declared, std::size_t indent)
{
    std::string line = std::string(indent, ' ') + Spelled(declared);
    line.resize(std::max(kTextColumn, line.size() + 1), ' ');
    std::string text = std::string(declared.help);
    for (std::size_t pos = text.find('\n'); pos != std::string::npos; pos = text.find('\n', pos + 1))
        text.insert(pos + 1, kTextColumn, ' ');
    return line + text + "\n";
}

std::string GridLines(const std::vector<std::string>& items)
{
    std::string text;
    std::string line;
    for (const std::string& item : items) {
        const auto* column = std::find_if(std::begin(kGridColumns), std::end(kGridColumns),
                                          [&](std::size_t c) { return line.empty() || c > line.size(); });
        if (column == std::end(kGridColumns)) {
            text += line + "\n";
            line.clear();
            column = std::begin(kGridColumns);
        }
        line.resize(*column, ' ');
        line += item;
    }
    return line.empty() ? text : text + line + "\n";
}

// The command's lines, the lines of the options that belong to it, and its notes.
std::string CommandLines(const CommandSpec& command)
{
    std::string text = std::string(command.help);
    std::vector<std::string> grid;
    for (const OptionSpec& declared : OptionTable()) {
        if (declared.place != HelpPlace::Command || !Allows(command, declared.option))
            continue;
        if (declared.help.empty()) {
            grid.push_back(Spelled(declared));
            continue;
        }
        text += GridLines(grid) + OptionLines(declared, 6);
        grid.clear();
    }
    return text + GridLines(grid) + std::string(command.notes);
}

// The "Optionen:" lines of the options in `options`, the port note where it applies, then what
// every command takes.
std::string OptionSection(OptionSet options, bool portMayBeLeftOut)
{
    std::string text = "Optionen:\n";
    for (const bool everyCommand : {false, true}) {
        if (everyCommand && portMayBeLeftOut)
            text += kPortNote;
        for (const OptionSpec& declared : OptionTable())
            if (declared.place == HelpPlace::Options && (options & Bit(declared.option)) &&
                ((kEveryCommand & Bit(declared.option)) != 0) == everyCommand)
                text += OptionLines(declared, 2);
    }
    return text + kDashNote;
}

} // namespace

std::string HelpText()
{
    std::string text = kIntro;
    OptionSet options = kEveryCommand;
    for (const GroupHeading& group : kGroups) {
        text += group.heading;
        for (const CommandSpec& command : CommandTable())
            if (command.group == group.group) {
                text += CommandLines(command);
                options |= command.options;
            }
        text += "\n";
    }
    return text + OptionSection(options, true) + kExamples + kExitCodes;
}

std::string CommandHelpText(const CommandSpec& command)
{
    return "Aufruf: q4k " + std::string(command.name) + " ...\n\n" + CommandLines(command) + "\n" +
           OptionSection(command.options | kEveryCommand,
                         command.group == CommandGroup::Device && command.operands > 0) +
           kExitCodes;
}

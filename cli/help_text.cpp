// The help of q4k around the command table's lines.
#include "cli/help_text.h"

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
};

// The options of the commands that talk to a device, of those that read it faster, the port they may
// leave out, and what every command takes.
constexpr char kDeviceOptions[] =
    R"(  --trace LOG               jedes Byte auf der Leitung mit Richtung und Zeit in LOG (-: Fehlerausgabe)
  --wait SEKUNDEN           so lange jede Sekunde fragen, bis ein Gerät antwortet
)";
constexpr char kFastOptionText[] =
    R"(  --fast                    (backup, restore, verify, rollout) eine Antwort endet an ihrem CR statt
                            nach 51 ms Stille; sonst gilt die Stille-Regel. Nicht voreingestellt:
                            wie lange ein echtes Gerät nach dem CR noch sendet, ist nicht bekannt.
)";
constexpr char kPortNote[] = "  PORT darf fehlen, wenn die Umgebungsvariable Q4K_PORT ihn nennt.\n";
constexpr char kCommonOptions[] = R"(  -q, --quiet               keine Fortschrittsanzeige
  -h, --help                diese Hilfe
  --version                 die Version von q4k
DATEI "-" ist die Standardeingabe, AUS "-" die Standardausgabe.
)";

constexpr char kExitCodes[] = R"(
Exit-Codes:
  0  erledigt
  1  Unterschiede gefunden (diff, verify, restore --verify)
  2  Aufruf fehlerhaft
  3  kein Gerät antwortet (oder der Port lässt sich nicht öffnen)
  4  Datei ungeeignet, nicht lesbar oder nicht schreibbar
  5  Übertragung fehlgeschlagen (ein "Fehler" beim Auslesen, eine fehlende Quittung)
  130  abgebrochen mit Strg+C (keine halb geschriebene Datei bleibt zurück)
)";

constexpr char kExamples[] = R"(
Beispiel:
  q4k backup /dev/ttyUSB0 fahrzeug-12.q4k && q4k verify /dev/ttyUSB0 fahrzeug-12.q4k
  q4k set fahrzeug-12.q4k -o vorlage.q4k --own-id 12AB34CD --name 1="RTW 2" --append-own-id
  q4k rollout /dev/ttyUSB0 basis-2027.q4k --archive archiv --loop
)";

} // namespace

std::string HelpText()
{
    std::string text = kIntro;
    for (const GroupHeading& group : kGroups) {
        text += group.heading;
        for (const CommandSpec& command : CommandTable())
            if (command.group == group.group)
                text += command.help;
        text += "\n";
    }
    return text + "Optionen:\n" + kDeviceOptions + kFastOptionText + kPortNote + kCommonOptions + kExamples +
           kExitCodes;
}

std::string CommandHelpText(const CommandSpec& command)
{
    std::string text =
        "Aufruf: q4k " + std::string(command.name) + " ...\n\n" + std::string(command.help) + "\nOptionen:\n";
    if (command.options & kTraceOption)
        text += kDeviceOptions;
    if (command.options & kFastOption)
        text += kFastOptionText;
    if (command.group == CommandGroup::Device && command.operands > 0)
        text += kPortNote;
    return text + kCommonOptions + kExitCodes;
}

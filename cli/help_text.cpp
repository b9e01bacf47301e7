// The help of q4k around the command table's lines.
#include "cli/help_text.h"

#include "cli/command_table.h"

namespace
{

constexpr char kIntro[] = R"(q4k - Konfiguration eines Quendal 4 sichern, übertragen, prüfen und bearbeiten

Aufruf: q4k BEFEHL [OPTIONEN]

)";

struct GroupHeading {
    CommandGroup group;
    const char* heading;
};

constexpr GroupHeading kGroups[] = {
    {CommandGroup::Device, "Befehle, die mit dem Gerät sprechen (PORT z. B. /dev/ttyUSB0 oder COM3):\n"},
    {CommandGroup::File, "Befehle für Dateien:\n"},
};

constexpr char kOptionsAndExitCodes[] = R"(Optionen:
  --trace LOG               jedes Byte auf der Leitung mit Richtung und Zeit in LOG
  --fast                    (backup, restore, verify, rollout) eine Antwort endet an ihrem CR statt
                            nach 51 ms Stille; sonst gilt die Stille-Regel. Nicht voreingestellt:
                            wie lange ein echtes Gerät nach dem CR noch sendet, ist nicht bekannt.
  -q, --quiet               keine Fortschrittsanzeige
  -h, --help                diese Hilfe
  --version                 die Version von q4k

Beispiel:
  q4k backup /dev/ttyUSB0 fahrzeug-12.q4k && q4k verify /dev/ttyUSB0 fahrzeug-12.q4k
  q4k set fahrzeug-12.q4k -o vorlage.q4k --own-id 12AB34CD --name 1="RTW 2" --append-own-id
  q4k rollout /dev/ttyUSB0 basis-2027.q4k --archive archiv --loop

Exit-Codes:
  0  erledigt
  1  Unterschiede gefunden (diff, verify)
  2  Aufruf fehlerhaft
  3  kein Gerät antwortet (oder der Port lässt sich nicht öffnen)
  4  Datei ungeeignet, nicht lesbar oder nicht schreibbar
  5  Übertragung fehlgeschlagen (ein "Fehler" beim Auslesen, eine fehlende Quittung)
  130  abgebrochen mit Strg+C (keine halb geschriebene Datei bleibt zurück)
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
    return text + kOptionsAndExitCodes;
}

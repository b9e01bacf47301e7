// The table of q4k's options.
#include "cli/option_table.h"

namespace
{

using enum Option;
using enum OptionValue;
using enum HelpPlace;

constexpr char kSetGroup[] = "Diese Optionen";
constexpr char kRolloutGroup[] = "--archive, --loop und --dry-run";

// In the order the help lists them.
constexpr OptionSpec kOptions[] = {
    {Trace, "--trace", "", File, "LOG", Options,
     "jedes Byte auf der Leitung mit Richtung und Zeit in LOG (-: Fehlerausgabe)"},
    {Wait, "--wait", "", Text, "SEKUNDEN", Options, "so lange jede Sekunde fragen, bis ein Gerät antwortet"},
    {Fast, "--fast", "", None, "", Options,
     "(backup, restore, verify, rollout) eine Antwort endet an ihrem CR statt\n"
     "nach 51 ms Stille; sonst gilt die Stille-Regel. Nicht voreingestellt:\n"
     "wie lange ein echtes Gerät nach dem CR noch sendet, ist nicht bekannt."},
    {Json, "--json", "", None, "", Synopsis, ""},
    {Force, "--force", "-f", None, "", Synopsis, ""},
    {Verify, "--verify", "", None, "", Command, "danach das Gerät auslesen und vergleichen wie verify"},
    {Output, "--output", "-o", File, "OUT", Synopsis, "", kSetGroup, true},
    {Role, "--role", "", Choice, "master|slave", Command, "", kSetGroup},
    {OwnId, "--own-id", "", Text, "KENNUNG", Command, "", kSetGroup},
    {Quick, "--quick", "", Text, "K=KENNUNG", Command, "", kSetGroup},
    {Name, "--name", "", Text, "K=TEXT", Command, "", kSetGroup},
    {AutoTransfer, "--auto-transfer", "", Choice, "on|off", Command, "", kSetGroup},
    {ReadGroups, "--read-groups", "", Choice, "on|off", Command, "", kSetGroup},
    {AppendOwnId, "--append-own-id", "", None, "", Command,
     "hängt \"_\" und die eigene Kennung an den Namen von AUS an", kSetGroup},
    {IdentityFrom, "--identity-from", "", File, "DATEI", Command,
     "Rolle, Kennungen, Namen und TETRA-Optionen aus DATEI übernehmen;\n"
     "die übrigen Optionen gelten danach",
     kSetGroup},
    {Archive, "--archive", "", Folder, "ORDNER", Synopsis, "", kRolloutGroup, true},
    {Loop, "--loop", "", None, "", Command, "danach auf das Abziehen und das nächste Gerät warten, bis Strg+C",
     kRolloutGroup},
    {DryRun, "--dry-run", "", None, "", Command, "nur sichern und die neue Datei bauen; zeigt, was sich ändern würde",
     kRolloutGroup},
    {Quiet, "--quiet", "-q", None, "", Options, "keine Fortschrittsanzeige"},
    {Help, "--help", "-h", None, "", Options, "diese Hilfe"},
    {Version, "--version", "", None, "", Options, "die Version von q4k"},
};

} // namespace

std::span<const OptionSpec> OptionTable()
{
    return kOptions;
}

const OptionSpec* FindOption(std::string_view word)
{
    for (const OptionSpec& declared : kOptions)
        if (word == declared.name || (!declared.shortName.empty() && word == declared.shortName))
            return &declared;
    return nullptr;
}

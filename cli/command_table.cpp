// The table of q4k's commands.
#include "cli/command_table.h"

#include "cli/commands.h"

namespace
{

constexpr CommandSpec kCommands[] = {
    {"ports", 0, CommandGroup::Device, 0, RunPorts,
     "  ports                     die seriellen Ports dieses Rechners\n"},
    {"identify", 1, CommandGroup::Device, kTraceOption | kJsonOption, RunIdentify,
     "  identify PORT [--json]    Software, Version und Option des Geräts\n"},
    {"backup", 2, CommandGroup::Device, kTraceOption | kForceOption | kFastOption, RunBackupCommand,
     "  backup PORT DATEI [-f]    Quendal 4 -> Datei (die Datei entsteht erst, wenn alles gelesen ist;\n"
     "                            eine vorhandene Datei nur mit -f, --force)\n"},
    {"restore", 2, CommandGroup::Device, kTraceOption | kVerifyOption | kFastOption, RunRestoreCommand,
     "  restore PORT DATEI        Datei -> Quendal 4 (eine ungeeignete Datei sendet nichts)\n"
     "      --verify              danach das Gerät auslesen und vergleichen wie verify\n"},
    {"verify", 2, CommandGroup::Device, kTraceOption | kJsonOption | kFastOption, RunVerify,
     "  verify PORT DATEI         Gerät auslesen und mit DATEI vergleichen (\"XX\"-Bytes zählen nicht)\n"},
    {"rollout", 2, CommandGroup::Device, kFastOption | kRolloutOptions, RunRollout,
     "  rollout PORT VORLAGE --archive ORDNER [--loop] [--dry-run]\n"
     "                            je Fahrzeug: auf das Gerät warten, sichern nach ORDNER, VORLAGE mit\n"
     "                            seiner Identität übertragen und prüfen; eine Zeile in ORDNER/rollout.csv\n"
     "      --loop                danach auf das Abziehen und das nächste Gerät warten, bis Strg+C\n"
     "      --dry-run             nur sichern und die neue Datei bauen; zeigt, was sich ändern würde\n"},
    {"show", 1, CommandGroup::File, kJsonOption, RunShow,
     "  show DATEI [--json]       Rolle, Kennungen, Namen, TETRA-Optionen, Zahl der Datensätze\n"},
    {"set", 1, CommandGroup::File, kSetOptions | kForceOption, RunSet,
     "  set DATEI -o AUS [...]    Einstellungen ändern wie im Fenster \"Erweitert\" (AUS darf DATEI sein)\n"
     "      --role master|slave   --own-id KENNUNG       --quick K=KENNUNG    --name K=TEXT\n"
     "      --auto-transfer on|off                       --read-groups on|off\n"
     "      --append-own-id       hängt \"_\" und die eigene Kennung an den Namen von AUS an\n"
     "      --identity-from DATEI Rolle, Kennungen, Namen und TETRA-Optionen aus DATEI übernehmen;\n"
     "                            die übrigen Optionen gelten danach\n"
     "      -f, --force           auch ein schreibgeschütztes AUS ersetzen\n"
     "      (Kennungen: genau 8 Zeichen 0-9,A-F, \"XX\" als Ersatz-Byte; Namen: höchstens 10 Zeichen\n"
     "      ohne Steuerzeichen; K: 0 bis 9)\n"},
    {"diff", 2, CommandGroup::File, kJsonOption, RunDiff,
     "  diff A B [--json]         Unterschiede: erst die Einstellungen, dann die übrigen Datensätze\n"},
    {"check", 1, CommandGroup::File, 0, RunCheck,
     "  check DATEI               ob die Übertragung die Datei annehmen würde, und was sie enthält\n"},
};

} // namespace

std::span<const CommandSpec> CommandTable()
{
    return kCommands;
}

const CommandSpec* FindCommand(std::string_view name)
{
    for (const CommandSpec& command : kCommands)
        if (command.name == name)
            return &command;
    return nullptr;
}

std::string CommandsTaking(CommandOption option)
{
    std::string names;
    for (const CommandSpec& command : kCommands) {
        if (!(command.options & option))
            continue;
        if (!names.empty())
            names += ", ";
        names += command.name;
    }
    return names;
}

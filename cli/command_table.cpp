// The table of q4k's commands.
#include "cli/command_table.h"

#include "cli/bash_completion.h"
#include "cli/commands.h"

namespace
{

using enum Option;

constexpr OptionSet kTalksToDevice = Takes(Trace, Wait);

constexpr CommandSpec kCommands[] = {
    {"ports", 0, CommandGroup::Device, 0, RunPorts,
     "  ports                     die seriellen Ports dieses Rechners\n"},
    {"identify", 1, CommandGroup::Device, kTalksToDevice | Takes(Json), RunIdentify,
     "  identify PORT [--json]    Software, Version und Option des Geräts\n"},
    {"backup", 2, CommandGroup::Device, kTalksToDevice | Takes(Fast, Force), RunBackupCommand,
     "  backup PORT DATEI [-f]    Quendal 4 -> Datei (die Datei entsteht erst, wenn alles gelesen ist;\n"
     "                            eine vorhandene Datei nur mit -f, --force)\n"},
    {"restore", 2, CommandGroup::Device, kTalksToDevice | Takes(Fast, Verify), RunRestoreCommand,
     "  restore PORT DATEI        Datei -> Quendal 4 (eine ungeeignete Datei sendet nichts)\n"},
    {"verify", 2, CommandGroup::Device, kTalksToDevice | Takes(Fast, Json), RunVerify,
     "  verify PORT DATEI [--json]\n"
     "                            Gerät auslesen und mit DATEI vergleichen (\"XX\"-Bytes zählen nicht)\n"},
    {"rollout", 2, CommandGroup::Device, Takes(Fast, Archive, Loop, DryRun), RunRollout,
     "  rollout PORT VORLAGE --archive ORDNER [--loop] [--dry-run]\n"
     "                            je Fahrzeug: auf das Gerät warten, sichern nach ORDNER, VORLAGE mit\n"
     "                            seiner Identität übertragen und prüfen; eine Zeile in ORDNER/rollout.csv\n"
     "                            VORLAGE: mit backup von einem Fahrzeug gesichert, das die neue\n"
     "                            Grundkonfiguration schon hat (set ändert nur die Identität, und die\n"
     "                            behält jedes Fahrzeug)\n"},
    {"show", 1, CommandGroup::File, Takes(Json), RunShow,
     "  show DATEI [--json]       Rolle, Kennungen, Namen, TETRA-Optionen, Zahl der Datensätze\n"},
    {"set", 1, CommandGroup::File,
     Takes(Output, Role, OwnId, Quick, Name, AutoTransfer, ReadGroups, AppendOwnId, IdentityFrom, Force), RunSet,
     "  set DATEI -o AUS [-f] [...]\n"
     "                            Einstellungen ändern wie im Fenster \"Erweitert\" (AUS darf DATEI sein;\n"
     "                            ein schreibgeschütztes AUS nur mit -f, --force)\n",
     "      (Kennungen: genau 8 Zeichen 0-9,A-F, \"XX\" als Ersatz-Byte; Namen: höchstens 10 Zeichen\n"
     "      ohne Steuerzeichen; K: 0 bis 9)\n"},
    {"diff", 2, CommandGroup::File, Takes(Json), RunDiff,
     "  diff A B [--json]         Unterschiede: erst die Einstellungen, dann die übrigen Datensätze\n"},
    {"check", 1, CommandGroup::File, 0, RunCheck,
     "  check DATEI               ob die Übertragung die Datei annehmen würde, und was sie enthält\n"},
    {"completion", 0, CommandGroup::Shell, 0, RunCompletion,
     "  completion                die Vervollständigung für bash, z. B.: source <(q4k completion)\n"},
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

bool Allows(const CommandSpec& command, Option option)
{
    return ((command.options | kEveryCommand) & Bit(option)) != 0;
}

std::string CommandsTaking(Option option)
{
    std::string names;
    for (const CommandSpec& command : kCommands) {
        if (!Allows(command, option))
            continue;
        if (!names.empty())
            names += ", ";
        names += command.name;
    }
    return names;
}

// The commands on files: show, set, diff, check. The editor core reads and patches the settings,
// the restore's check judges a file; this file only reads, writes and prints.
#include <cstdio>

#include "cli/commands.h"
#include "cli/configuration_input.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/identity_note.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "config/config_text.h"
#include "config/destination_path.h"
#include "config/identifier_rules.h"
#include "config/identity_copy.h"
#include "config/record_census.h"
#include "config/record_fields.h"
#include "config/setting_input.h"
#include "config/settings_diff.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

namespace
{

struct LoadedConfig {
    std::string bytes;
    std::string text;
    EditorSettings settings;
};

std::string SettingsErrorText(ConfigTextError error)
{
    return error == ConfigTextError::BeyondEnd ? ToUtf8(kUnsuitableFileText) + " (Feld hinter dem Dateiende)"
                                               : ToUtf8(kUnsuitableFileText);
}

// The restore's check, then the editor's load: the file's complete records and the settings read from them.
int LoadConfig(const std::string& name, Console& c, LoadedConfig& loaded)
{
    if (const int code = ReadConfiguration(name, loaded.bytes, c.err))
        return code;
    loaded.text = ConfigTextFromFile(loaded.bytes);
    const SettingsRead read = ReadSettings(loaded.text);
    if (read.error != ConfigTextError::None) {
        c.err << SettingsErrorText(read.error) << " " << name << "\n";
        return kExitFile;
    }
    loaded.settings = read.settings;
    return kExitDone;
}

std::size_t RecordCount(const std::string& text)
{
    return text.size() / CONFIG_RECORD_LEN;
}

// A typed identifier into its place, lower case taken as upper case; the window's message when it
// breaks the rule of an edited identifier.
bool TakeIdentifier(const std::string& value, int index, std::u16string& target, Console& c)
{
    std::optional<std::u16string> id = FromUtf8(value);
    if (id)
        id = AsciiUpperCase(*id);
    if (!id || !IsValidEditedIdentifier(*id)) {
        ReportUsageError(c, ToUtf8(IdentifierLengthMessage(index)));
        return false;
    }
    target = *id;
    return true;
}

bool TakeName(const std::string& value, int k, std::u16string& target, Console& c)
{
    const std::optional<std::u16string> name = FromUtf8(value);
    if (!name || !IsTypedName(*name)) {
        ReportUsageError(c, "Der Name " + std::to_string(k) + " darf höchstens " + std::to_string(kNameMaxLen) +
                                " Zeichen aus dem Latin-1-Bereich haben.");
        return false;
    }
    if (HasControlCharacter(*name)) {
        ReportUsageError(c, "Der Name " + std::to_string(k) + " darf keine Steuerzeichen enthalten.");
        return false;
    }
    target = *name;
    return true;
}

// OUT with "_" and the own identifier: before a ".q4k" ending as the window does, otherwise at the end.
std::optional<std::string> WithOwnId(const std::string& out, const std::u16string& ownId)
{
    const std::optional<std::u16string> path = FromUtf8(out);
    if (!path)
        return std::nullopt;
    if (HasConfigFileEnding(*path))
        return ToUtf8(ComposeDestinationPath(*path, true, ownId));
    return out + "_" + ToUtf8(ownId);
}

// What a technician needs to judge a suitable file: its main records, "$PBC", the interface records.
std::string Summary(const std::vector<std::string>& records)
{
    const RecordCensus census = CountRecords(records);
    char range[32] = "";
    if (census.mainRecords > 0)
        std::snprintf(range, sizeof range, " (%02X bis %02X)", census.lowestMain, census.highestMain);
    std::string text = "Hauptdatensätze: " + std::to_string(census.mainRecords) + range + "\n";
    text += std::string("$PBC: ") +
            (census.bc == RecordCensus::Bc::Missing              ? "fehlt"
             : census.bc == RecordCensus::Bc::AnnouncesInterface ? "vorhanden, kündigt Interface-Datensätze an"
                                                                 : "vorhanden, ohne Interface-Datensätze") +
            "\n";
    return text + "Interface-Datensätze (80-9F): " + std::to_string(census.interfaceRecords) + "\n";
}

// The command line's changes on top of the loaded settings; an exit code when one is refused.
int ApplyChanges(const Arguments& a, EditorSettings& s, Console& c)
{
    if (a.role)
        s.masterSlave = *a.role == "master" ? 0 : 1;
    if (a.ownId && !TakeIdentifier(*a.ownId, kOwnIdentifier, s.ownId, c))
        return kExitUsage;
    for (const auto& [k, id] : a.quickIds)
        if (!TakeIdentifier(id, k, s.quickId[static_cast<std::size_t>(k)], c))
            return kExitUsage;
    for (const auto& [k, name] : a.names)
        if (!TakeName(name, k, s.alias[static_cast<std::size_t>(k)], c))
            return kExitUsage;
    if ((a.autoTransfer || a.readGroups) && !s.hasTetra) {
        c.err << "Die Datei enthält keine TETRA-Interface-Einstellungen.\n";
        return kExitFile;
    }
    if (a.autoTransfer)
        s.autoTransfer = *a.autoTransfer == "on";
    if (a.readGroups)
        s.readGroups = *a.readGroups == "on";
    return kExitDone;
}

} // namespace

int RunShow(const Arguments& a, Console& c)
{
    LoadedConfig loaded;
    if (const int code = LoadConfig(a.operands[0], c, loaded))
        return code;
    const std::size_t records = RecordCount(loaded.text);
    c.out << (a.json ? SettingsJson(loaded.settings, records) : SettingsText(loaded.settings, records));
    return kExitDone;
}

// The settings of --identity-from's file carried onto the template's; both files must pass the
// restore's record check.
int TakeIdentity(const Arguments& a, LoadedConfig& templ, Console& c)
{
    LoadedConfig vehicle;
    if (const int code = LoadConfig(a.operands[0], c, templ))
        return code;
    if (const int code = LoadConfig(a.identityFrom, c, vehicle))
        return code;
    const IdentityCopy copy = CopyIdentity(templ.settings, vehicle.settings);
    if (!copy.tetraCopied)
        c.err << TetraKeptText(templ.settings.hasTetra ? a.identityFrom : a.operands[0]) << "\n";
    templ.settings = copy.settings;
    return kExitDone;
}

int RunSet(const Arguments& a, Console& c)
{
    LoadedConfig loaded;
    if (const int code = a.identityFrom.empty() ? LoadConfig(a.operands[0], c, loaded) : TakeIdentity(a, loaded, c))
        return code;
    EditorSettings settings = loaded.settings;
    if (const int code = ApplyChanges(a, settings, c))
        return code;
    const SettingsWritten patched = WriteSettings(loaded.text, settings);
    if (patched.error == ConfigTextError::BadIdentifier) {
        c.err << ToUtf8(IdentifierLengthMessage(patched.badIdentifier)) << "\n";
        return kExitFile;
    }
    if (patched.error != ConfigTextError::None) {
        c.err << SettingsErrorText(patched.error) << " " << a.operands[0] << "\n";
        return kExitFile;
    }
    std::string out = a.output;
    if (a.appendOwnId) {
        const std::optional<std::string> named = WithOwnId(out, settings.ownId);
        if (!named)
            return ReportUsageError(c, "Der Name von OUT ist kein UTF-8.");
        out = *named;
    }
    std::string error;
    if (!WriteWholeFile(PathFromUtf8(out), patched.text,
                        a.force ? ExistingFile::Replace : ExistingFile::ReplaceWritable, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    // The name of the file written; a stream or a device (standard output among them) is not named.
    if (ResolveWriteTarget(PathFromUtf8(out)).way == WriteWay::Replace)
        c.out << out << "\n";
    return kExitDone;
}

int RunDiff(const Arguments& a, Console& c)
{
    LoadedConfig first;
    LoadedConfig second;
    if (const int code = LoadConfig(a.operands[0], c, first))
        return code;
    if (const int code = LoadConfig(a.operands[1], c, second))
        return code;
    const std::vector<SettingDifference> settings = CompareSettings(first.settings, second.settings);
    const std::vector<RecordDifference> records =
        CompareBeyondSettings(first.text, first.settings, second.text, second.settings);
    const bool same = first.bytes == second.bytes;
    // The comparison leaves spare bytes out; the files may still differ on disk.
    const bool spareOnly = settings.empty() && records.empty() && DifferOnlyInSpareBytes(first.bytes, second.bytes);
    if (a.json) {
        c.out << DiffJson(same, spareOnly, settings, first.settings, second.settings, records);
        return same ? kExitDone : kExitDifferences;
    }
    c.out << SettingDifferenceLines(settings, first.settings, second.settings);
    c.out << RecordDifferenceLines(records, "A", "B");
    if (spareOnly)
        c.out << "gleich bis auf Ersatz-Bytes\n";
    else if (!same && settings.empty() && records.empty())
        c.out << "Unterschiede außerhalb der verglichenen Datensätze (Reihenfolge, doppelte oder unvollständige)\n";
    return same ? kExitDone : kExitDifferences;
}

int RunCheck(const Arguments& a, Console& c)
{
    std::string bytes;
    if (const int code = ReadConfiguration(a.operands[0], bytes, c.out))
        return code;
    const std::vector<std::string> records = SplitRecords(bytes);
    c.out << "Datei geeignet: " << Plural(records.size(), "Datensatz", "Datensätze") << ".\n" << Summary(records);
    return kExitDone;
}

// The commands on files: show, set, diff, check. The editor core reads and patches the settings,
// the restore's check judges a file; this file only reads, writes and prints.
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/file_io.h"
#include "cli/identity_note.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "editor/config_text.h"
#include "editor/destination_path.h"
#include "editor/identifier_rules.h"
#include "editor/identity_copy.h"
#include "editor/setting_input.h"
#include "editor/settings_diff.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

namespace
{

struct LoadedConfig {
    std::string text;
    EditorSettings settings;
};

std::string SettingsErrorText(ConfigTextError error)
{
    return error == ConfigTextError::BeyondEnd ? ToUtf8(kUnsuitableFileText) + " (Feld hinter dem Dateiende)"
                                               : ToUtf8(kUnsuitableFileText);
}

// The editor's load: the file's complete records and the settings read from them; with
// recordCheck, only for a file that the restore's record check passes.
int LoadConfig(const std::string& name, Console& c, LoadedConfig& loaded, bool recordCheck = false)
{
    std::string bytes;
    std::string error;
    if (recordCheck) {
        if (const int code = ReadConfigurationFile(name, c, bytes))
            return code;
    } else if (!ReadWholeFile(PathFromUtf8(name), kConfigFileReadCap, bytes, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    loaded.text = ConfigTextFromFile(bytes);
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

// A typed identifier into its place; the window's message when it breaks the hex field's rule.
bool TakeIdentifier(const std::string& value, int index, std::u16string& target, Console& c)
{
    const std::optional<std::u16string> id = FromUtf8(value);
    if (!id || !IsTypedIdentifier(*id)) {
        c.err << ToUtf8(IdentifierLengthMessage(index)) << "\n";
        return false;
    }
    target = *id;
    return true;
}

bool TakeName(const std::string& value, int k, std::u16string& target, Console& c)
{
    const std::optional<std::u16string> name = FromUtf8(value);
    if (!name || !IsTypedName(*name)) {
        c.err << "Der Name " << k << " darf höchstens " << kNameMaxLen << " Zeichen aus dem Latin-1-Bereich haben.\n";
        return false;
    }
    target = *name;
    return true;
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
    if (const int code = LoadConfig(a.operands[0], c, templ, true))
        return code;
    if (const int code = LoadConfig(a.identityFrom, c, vehicle, true))
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
        const std::optional<std::u16string> path = FromUtf8(out);
        if (!path) {
            c.err << "Der Name von OUT ist kein UTF-8.\n";
            return kExitUsage;
        }
        out = ToUtf8(ComposeDestinationPath(*path, true, settings.ownId));
    }
    std::string error;
    if (!WriteWholeFile(PathFromUtf8(out), patched.text, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
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
    c.out << SettingDifferenceLines(settings, first.settings, second.settings);
    c.out << RecordDifferenceLines(records, "A", "B");
    return settings.empty() && records.empty() ? kExitDone : kExitDifferences;
}

int RunCheck(const Arguments& a, Console& c)
{
    std::string bytes;
    std::string error;
    if (!ReadWholeFile(PathFromUtf8(a.operands[0]), kConfigFileReadCap, bytes, error)) {
        c.err << error << "\n";
        return kExitFile;
    }
    if (!IsConfigurationFile(bytes)) {
        c.out << ToUtf8(kUnsuitableFileText) << "\n";
        return kExitFile;
    }
    c.out << "Datei geeignet: " << SplitRecords(bytes).size() << " Datensätze.\n";
    return kExitDone;
}

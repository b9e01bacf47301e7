// Reading the editor's settings from a configuration text and patching them back into a copy.
#include "config/editor_settings.h"

#include <optional>

#include "config/config_text.h"
#include "config/identifier_rules.h"
#include "config/name_area.h"
#include "config/record_fields.h"
#include "transfer/config_record.h"

namespace
{

// Positions counted from a record's "$".
constexpr std::size_t kRolePos = 30;         // "$P06" data byte 13
constexpr std::size_t kQuickIdPos = 12;      // "$P07" data byte 4, one identifier per 8 characters
constexpr std::size_t kNameAreaPos = 92;     // "$P07" data byte 44
constexpr std::size_t kOwnIdAfterNames = 12; // gap between the end of the name area and the own identifier
constexpr std::size_t kReadGroupsPos = 58;   // "$P80" data byte 27

// Where every setting stands in one text; found once and used by both directions.
struct SettingsLayout {
    std::size_t role = 0;
    std::size_t quickIds = 0;
    NameArea names;
    std::size_t ownId = 0;
    std::optional<std::size_t> tetraMarker; // only when "$PBC" holds TETRA settings
    std::size_t readGroups = 0;             // only with tetraMarker
};

struct LayoutFound {
    ConfigTextError error = ConfigTextError::None;
    SettingsLayout layout;
};

LayoutFound Failed(ConfigTextError error)
{
    return {error, {}};
}

// Where a field of `len` characters stands, `offset` behind its record's "$": Unsuitable without
// the record, BeyondEnd when the field runs past the text's end.
ConfigTextError LocateField(std::string_view text, std::string_view tag, std::size_t offset, std::size_t len,
                            std::size_t& pos)
{
    const std::optional<std::size_t> record = FindRecord(text, tag);
    if (!record)
        return ConfigTextError::Unsuitable;
    pos = *record + offset;
    return FieldFits(text, pos, len) ? ConfigTextError::None : ConfigTextError::BeyondEnd;
}

// Every check of a load, in the load's order.
LayoutFound LocateSettings(std::string_view text)
{
    if (text.size() > kMaxConfigTextLen)
        return Failed(ConfigTextError::TooLarge);
    SettingsLayout layout;

    if (const ConfigTextError error = LocateField(text, "$P06", kRolePos, 2, layout.role);
        error != ConfigTextError::None)
        return Failed(error);
    if (const ConfigTextError error =
            LocateField(text, "$P07", kQuickIdPos, kQuickIdCount * kIdentifierLen, layout.quickIds);
        error != ConfigTextError::None)
        return Failed(error);
    // The name area stands in the same record as the quick identifiers.
    const std::optional<NameArea> names = WalkNameArea(text, layout.quickIds + (kNameAreaPos - kQuickIdPos));
    if (!names)
        return Failed(ConfigTextError::BeyondEnd);
    layout.names = *names;
    layout.ownId = names->end + kOwnIdAfterNames;
    if (!FieldFits(text, layout.ownId, kIdentifierLen))
        return Failed(ConfigTextError::BeyondEnd);

    const std::optional<std::size_t> pbc = FindRecord(text, "$PBC");
    if (!pbc)
        return {ConfigTextError::None, layout};
    const std::size_t marker = *pbc + kInterfaceMarkerPos;
    if (!FieldFits(text, marker, 2))
        return Failed(ConfigTextError::BeyondEnd);
    if (!AnnouncesInterfaceRecords(text.substr(*pbc)))
        return {ConfigTextError::None, layout};
    layout.tetraMarker = marker;

    if (const ConfigTextError error = LocateField(text, "$P80", kReadGroupsPos, 2, layout.readGroups);
        error != ConfigTextError::None)
        return Failed(error);
    return {ConfigTextError::None, layout};
}

// The identifiers the text holds, so that one written back unchanged passes whatever its characters.
EditorSettings IdentifiersAt(std::string_view text, const SettingsLayout& at)
{
    EditorSettings present;
    for (std::size_t k = 0; k < kQuickIdCount; ++k)
        present.quickId[k] = ReadIdentifier(text, at.quickIds + k * kIdentifierLen);
    present.ownId = ReadIdentifier(text, at.ownId);
    return present;
}

// The byte is itself a character: "1"-"9" or "A"-"F" mean on.
bool ReadGroupsOn(int byte)
{
    return (byte >= '1' && byte <= '9') || (byte >= 'A' && byte <= 'F');
}

} // namespace

SettingsRead ReadSettings(std::string_view text)
{
    const LayoutFound found = LocateSettings(text);
    if (found.error != ConfigTextError::None)
        return {found.error, {}};
    const SettingsLayout& at = found.layout;

    EditorSettings settings = IdentifiersAt(text, at);
    settings.masterSlave = ReadBytePair(text, at.role) == 0 ? 1 : 0;
    for (std::size_t k = 0; k < kQuickIdCount; ++k)
        settings.alias[k] = ReadName(text, at.names, k);
    if (at.tetraMarker) {
        settings.hasTetra = true;
        settings.autoTransfer = text[*at.tetraMarker + 1] == '2';
        settings.readGroups = ReadGroupsOn(ReadBytePair(text, at.readGroups));
    }
    return {ConfigTextError::None, settings};
}

SettingsWritten WriteSettings(std::string_view text, const EditorSettings& settings)
{
    const LayoutFound found = LocateSettings(text);
    if (found.error != ConfigTextError::None)
        return {found.error, 0, {}};
    const SettingsLayout& at = found.layout;
    if (const std::optional<int> bad = FirstUnstorableIdentifier(settings, IdentifiersAt(text, at)))
        return {ConfigTextError::BadIdentifier, *bad, {}};
    // The settings say TETRA, the text no longer does: there is no position to write to.
    if (settings.hasTetra && !at.tetraMarker)
        return {ConfigTextError::Unsuitable, 0, {}};

    std::string out(text);
    WriteBytePair(out, at.role, settings.masterSlave == 0 ? 1 : 0);
    for (std::size_t k = 0; k < kQuickIdCount; ++k)
        WriteIdentifier(out, at.quickIds + k * kIdentifierLen, settings.quickId[k]);
    for (std::size_t k = 0; k < kQuickIdCount; ++k)
        WriteName(out, at.names, k, settings.alias[k]);
    WriteIdentifier(out, at.ownId, settings.ownId);
    if (settings.hasTetra) {
        out[*at.tetraMarker] = 'A';
        out[*at.tetraMarker + 1] = settings.autoTransfer ? '2' : '1';
        WriteBytePair(out, at.readGroups, settings.readGroups ? '1' : '0');
    }
    return {ConfigTextError::None, 0, out};
}

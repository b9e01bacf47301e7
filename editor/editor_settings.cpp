// Reading the editor's settings from a configuration text and patching them back into a copy.
#include "editor/editor_settings.h"

#include <optional>

#include "editor/config_text.h"
#include "editor/identifier_rules.h"
#include "editor/name_area.h"
#include "editor/record_fields.h"
#include "transfer/config_record.h"

namespace
{

// Positions counted from a record's "$".
constexpr std::size_t kRolePos = 30;         // "$P06" data byte 13
constexpr std::size_t kQuickIdPos = 12;      // "$P07" data byte 4, one identifier per 8 characters
constexpr std::size_t kNameAreaPos = 92;     // "$P07" data byte 44
constexpr std::size_t kOwnIdAfterNames = 12; // gap between the end of the name area and the own identifier
constexpr std::size_t kTetraMarkerPos = 6;   // "$PBC" data byte 1: 'A' then '1' or '2'
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

bool IsTetraMarker(std::string_view text, std::size_t pos)
{
    return text[pos] == 'A' && (text[pos + 1] == '1' || text[pos + 1] == '2');
}

// Every check of a load, in the load's order.
LayoutFound LocateSettings(std::string_view text)
{
    if (text.size() > kMaxConfigTextLen)
        return Failed(ConfigTextError::TooLarge);
    SettingsLayout layout;

    const std::optional<std::size_t> p06 = FindRecord(text, "$P06");
    if (!p06)
        return Failed(ConfigTextError::Unsuitable);
    layout.role = *p06 + kRolePos;
    if (!FieldFits(text, layout.role, 2))
        return Failed(ConfigTextError::BeyondEnd);

    const std::optional<std::size_t> p07 = FindRecord(text, "$P07");
    if (!p07)
        return Failed(ConfigTextError::Unsuitable);
    layout.quickIds = *p07 + kQuickIdPos;
    if (!FieldFits(text, layout.quickIds, kQuickIdCount * kIdentifierLen))
        return Failed(ConfigTextError::BeyondEnd);
    const std::optional<NameArea> names = WalkNameArea(text, *p07 + kNameAreaPos);
    if (!names)
        return Failed(ConfigTextError::BeyondEnd);
    layout.names = *names;
    layout.ownId = names->end + kOwnIdAfterNames;
    if (!FieldFits(text, layout.ownId, kIdentifierLen))
        return Failed(ConfigTextError::BeyondEnd);

    const std::optional<std::size_t> pbc = FindRecord(text, "$PBC");
    if (!pbc)
        return {ConfigTextError::None, layout};
    const std::size_t marker = *pbc + kTetraMarkerPos;
    if (!FieldFits(text, marker, 2))
        return Failed(ConfigTextError::BeyondEnd);
    if (!IsTetraMarker(text, marker))
        return {ConfigTextError::None, layout};
    layout.tetraMarker = marker;

    const std::optional<std::size_t> p80 = FindRecord(text, "$P80");
    if (!p80)
        return Failed(ConfigTextError::Unsuitable);
    layout.readGroups = *p80 + kReadGroupsPos;
    if (!FieldFits(text, layout.readGroups, 2))
        return Failed(ConfigTextError::BeyondEnd);
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

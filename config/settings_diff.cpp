// Settings compared field by field, and records compared with the settings written alike.
#include "config/settings_diff.h"

#include <string>

std::vector<SettingDifference> CompareSettings(const EditorSettings& first, const EditorSettings& second)
{
    using Field = SettingDifference::Field;
    std::vector<SettingDifference> differences;
    if (first.masterSlave != second.masterSlave)
        differences.push_back({Field::Role});
    if (first.ownId != second.ownId)
        differences.push_back({Field::OwnId});
    for (int k = 0; k < kQuickIdCount; ++k)
        if (first.quickId[k] != second.quickId[k])
            differences.push_back({Field::QuickId, k});
    for (int k = 0; k < kQuickIdCount; ++k)
        if (first.alias[k] != second.alias[k])
            differences.push_back({Field::Name, k});
    if (first.hasTetra != second.hasTetra) {
        differences.push_back({Field::Tetra});
        return differences;
    }
    if (first.hasTetra && first.autoTransfer != second.autoTransfer)
        differences.push_back({Field::AutoTransfer});
    if (first.hasTetra && first.readGroups != second.readGroups)
        differences.push_back({Field::ReadGroups});
    return differences;
}

std::vector<RecordDifference> CompareBeyondSettings(std::string_view first, const EditorSettings& firstSettings,
                                                    std::string_view second, const EditorSettings& secondSettings)
{
    // The first text gets the second's settings; where it has no TETRA settings, none are written.
    EditorSettings common = secondSettings;
    common.hasTetra = firstSettings.hasTetra && secondSettings.hasTetra;
    if (!common.hasTetra) {
        common.autoTransfer = false;
        common.readGroups = false;
    }
    const SettingsWritten a = WriteSettings(first, common);
    const SettingsWritten b = WriteSettings(second, common);
    if (a.error != ConfigTextError::None || b.error != ConfigTextError::None)
        return CompareRecords(first, second);
    return CompareRecords(a.text, b.text);
}

// What differs between two configurations in the editor's terms: the settings one by one, and
// the records that differ beyond them.
#pragma once

#include <string_view>
#include <vector>

#include "config/editor_settings.h"
#include "transfer/record_compare.h"

struct SettingDifference {
    enum class Field { Role, OwnId, QuickId, Name, Tetra, AutoTransfer, ReadGroups };
    Field field;
    int index = 0; // quick-change identifier or name 0-9
};

// The settings that differ, in the editor's order. The TETRA options are compared only when both
// hold TETRA settings; otherwise a difference in their presence is the one difference (Tetra).
std::vector<SettingDifference> CompareSettings(const EditorSettings& first, const EditorSettings& second);

// The records that differ once both texts carry the second one's settings, written by the editor's
// patch; so a changed setting does not count again here. Both texts must read without error.
std::vector<RecordDifference> CompareBeyondSettings(std::string_view first, const EditorSettings& firstSettings,
                                                    std::string_view second, const EditorSettings& secondSettings);

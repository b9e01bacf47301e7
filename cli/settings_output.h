// How q4k shows a configuration's settings and differences: German lines for people, JSON for
// machines. Only presentation; what the settings are and what differs comes from the core.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "config/editor_settings.h"
#include "config/settings_diff.h"
#include "link/identification.h"
#include "transfer/record_compare.h"

// Names stand in double quotes with C-style escapes (\", \\, \t, \n, \r, \ooo, \u0080-\u009F).
std::string SettingsText(const EditorSettings& settings, std::size_t records);

// {"role": ..., "own_id": ..., "quick_ids": [...], "names": [...], "tetra": ..., "records": N}
std::string SettingsJson(const EditorSettings& settings, std::size_t records);

// A differing setting in words: its label ("Rolle"), its JSON name ("role") and both values (UTF-8).
struct SettingChange {
    std::string label;
    std::string field;
    std::string first;
    std::string second;
    bool text = false; // a name, which the lines show quoted
};
SettingChange DescribeSettingDifference(const SettingDifference& difference, const EditorSettings& first,
                                        const EditorSettings& second);

// One line per differing setting: "Rolle: Master -> Slave".
std::string SettingDifferenceLines(const std::vector<SettingDifference>& differences, const EditorSettings& first,
                                   const EditorSettings& second);

// One line per record: "$P07  Byte 4 (Datei 3C, Gerät 3D), ..." or "$P0F  nur in der Datei".
std::string RecordDifferenceLines(const std::vector<RecordDifference>& differences, std::string_view firstName,
                                  std::string_view secondName);

// A text with the escapes of a name, without its quotes; device bytes 80-FF (U+FF80-U+FFFF) as
// \uFF80-\uFFFF.
std::string Escaped(std::u16string_view text);

// The identification's software, version and option lines, escaped as names are (UTF-8).
std::array<std::string, 3> IdentificationLines(const Identification& ident);

// "Software: ...", "Version: ...", "Option: ..." lines, or {"software": ..., "version": ..., "option": ...},
// with the escaped lines.
std::string IdentificationText(const Identification& ident, bool json);

// What answered, escaped and cut to fit on a line.
std::string ReplyExcerpt(std::u16string_view reply);

// {"equal": bool, "differences": [RECORD, ...]}
std::string VerifyJson(const std::vector<RecordDifference>& differences);

// {"equal": bool, "spare_only": bool, "settings": [{"field": ..., "index": K, "a": ..., "b": ...}, ...],
//  "records": [RECORD, ...]}
std::string DiffJson(bool equal, bool spareOnly, const std::vector<SettingDifference>& settings,
                     const EditorSettings& first, const EditorSettings& second,
                     const std::vector<RecordDifference>& records);

// RECORD: {"address": "07", "kind": "data"|"only_first"|"only_second", "bytes": [4, 13]}

// "1 Datensatz", "2 Datensätze": the number and the word that fits it.
std::string Plural(std::size_t n, std::string_view one, std::string_view many);

// A JSON string literal of a 16-bit text, UTF-8 inside.
std::string JsonString(std::u16string_view text);

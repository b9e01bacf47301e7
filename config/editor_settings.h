// The settings the editor reads from a configuration text and writes back into one:
// role, own identifier, ten quick-change identifiers with their names, TETRA options.
#pragma once

#include <array>
#include <string>
#include <string_view>

inline constexpr int kQuickIdCount = 10;

struct EditorSettings {
    int masterSlave = 0; // 0 = Master, 1 = Slave
    std::u16string ownId = u"00000000";
    std::array<std::u16string, kQuickIdCount> quickId{u"00000000", u"00000000", u"00000000", u"00000000", u"00000000",
                                                      u"00000000", u"00000000", u"00000000", u"00000000", u"00000000"};
    std::array<std::u16string, kQuickIdCount> alias{};
    bool hasTetra = false;     // "$PBC" holds TETRA interface settings ('A1' or 'A2')
    bool autoTransfer = false; // check box 1022; meaningful only with hasTetra
    bool readGroups = false;   // check box 1025; meaningful only with hasTetra
};

enum class ConfigTextError {
    None,
    Unsuitable,   // a record the editor needs is missing: "Datei nicht geeignet!"
    BeyondEnd,    // a field lies beyond the end of the text: the framework's "Invalid argument."
    TooLarge,     // longer than kMaxConfigTextLen: "Datei nicht geeignet!"
    BadIdentifier // an identifier that must not reach a record (see identifier_rules.h)
};

struct SettingsRead {
    ConfigTextError error = ConfigTextError::None;
    EditorSettings settings; // complete only when error is None
};

// Reads every setting, checking in the load's order: "$P06", "$P07", the fields from "$P07" on,
// then "$PBC" and, when it holds TETRA settings, "$P80".
SettingsRead ReadSettings(std::string_view text);

struct SettingsWritten {
    ConfigTextError error = ConfigTextError::None;
    int badIdentifier = 0; // with BadIdentifier: the identifier index (identifier_rules.h)
    std::string text;      // the patched text; only when error is None
};

// Patches a copy of the text: role, quick-change identifiers, names, own identifier and, only with
// settings.hasTetra, the "$PBC" and "$P80" fields. The load's checks are repeated first, and an
// identifier must be the one the text holds or a valid edited one; on any error nothing is patched.
SettingsWritten WriteSettings(std::string_view text, const EditorSettings& settings);

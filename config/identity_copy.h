// A vehicle's identity carried onto a template: the settings the editor reads and writes, taken
// from one configuration and written into another as the editor's save would write them.
#pragma once

#include <string>
#include <string_view>

#include "config/editor_settings.h"

struct IdentityCopy {
    EditorSettings settings;  // the template's settings with the vehicle's identity
    bool tetraCopied = false; // false when either holds no TETRA settings: the template's stay
};

// Role, own identifier, quick-change identifiers and names from `vehicle`, spare "X" pairs
// included; the two TETRA options only when both hold TETRA settings.
IdentityCopy CopyIdentity(const EditorSettings& templateSettings, const EditorSettings& vehicle);

struct IdentityPatch {
    SettingsWritten written; // the template's text patched with the vehicle's identity
    IdentityCopy copy;       // complete only when written.error is None
};

// Reads both texts' settings and patches a copy of the template's text with the vehicle's identity.
IdentityPatch PatchIdentity(std::string_view templateText, std::string_view vehicleText);

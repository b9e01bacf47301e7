// Carrying a vehicle's identity onto a template.
#include "config/identity_copy.h"

IdentityCopy CopyIdentity(const EditorSettings& templateSettings, const EditorSettings& vehicle)
{
    IdentityCopy copy{templateSettings, templateSettings.hasTetra && vehicle.hasTetra};
    copy.settings.masterSlave = vehicle.masterSlave;
    copy.settings.ownId = vehicle.ownId;
    copy.settings.quickId = vehicle.quickId;
    copy.settings.alias = vehicle.alias;
    if (copy.tetraCopied) {
        copy.settings.autoTransfer = vehicle.autoTransfer;
        copy.settings.readGroups = vehicle.readGroups;
    }
    return copy;
}

IdentityPatch PatchIdentity(std::string_view templateText, std::string_view vehicleText)
{
    const SettingsRead templateRead = ReadSettings(templateText);
    if (templateRead.error != ConfigTextError::None)
        return {{templateRead.error, 0, {}}, {}};
    const SettingsRead vehicleRead = ReadSettings(vehicleText);
    if (vehicleRead.error != ConfigTextError::None)
        return {{vehicleRead.error, 0, {}}, {}};
    IdentityPatch patch;
    patch.copy = CopyIdentity(templateRead.settings, vehicleRead.settings);
    patch.written = WriteSettings(templateText, patch.copy.settings);
    return patch;
}

// The rules for settings a person enters.
#include "editor/setting_input.h"

#include "editor/identifier_rules.h"

bool IsTypedIdentifier(std::u16string_view id)
{
    if (id.size() != kIdentifierLen)
        return false;
    for (char16_t ch : id)
        if (!((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F')))
            return false;
    return true;
}

bool IsTypedName(std::u16string_view name)
{
    if (name.size() > kNameMaxLen)
        return false;
    for (char16_t ch : name)
        if (ch == 0 || ch > 0xFF)
            return false;
    return true;
}

// The rules for settings a person enters.
#include "editor/setting_input.h"

#include <algorithm>

#include "editor/identifier_rules.h"
#include "transfer/hex_codec.h"

bool IsTypedIdentifier(std::u16string_view id)
{
    if (id.size() != kIdentifierLen)
        return false;
    return std::all_of(id.begin(), id.end(), IsUpperHexDigit);
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

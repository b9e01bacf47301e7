// The rules for settings a person enters.
#include "config/setting_input.h"

#include <algorithm>

bool IsTypedName(std::u16string_view name)
{
    if (name.size() > kNameMaxLen)
        return false;
    for (char16_t ch : name)
        if (ch == 0 || ch > 0xFF)
            return false;
    return true;
}

bool HasControlCharacter(std::u16string_view name)
{
    return std::any_of(name.begin(), name.end(), IsControlCharacter);
}

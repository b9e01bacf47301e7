// The identifier fields' length rule, its message, and which identifiers may reach a record.
#include "config/identifier_rules.h"

#include "transfer/hex_codec.h"

namespace
{

// A byte's two characters: two upper-case digits, or a spare byte "XX".
bool IsValidPair(char16_t high, char16_t low)
{
    return (IsUpperHexDigit(high) && IsUpperHexDigit(low)) || (high == u'X' && low == u'X');
}

} // namespace

bool HasIdentifierLength(std::u16string_view id)
{
    return id.size() == kIdentifierLen;
}

bool IsValidEditedIdentifier(std::u16string_view id)
{
    if (!HasIdentifierLength(id))
        return false;
    for (std::size_t i = 0; i < kIdentifierLen; i += 2)
        if (!IsValidPair(id[i], id[i + 1]))
            return false;
    return true;
}

bool IsStorableIdentifier(std::u16string_view id, std::u16string_view loaded)
{
    return (id == loaded && HasIdentifierLength(id)) || IsValidEditedIdentifier(id);
}

std::u16string IdentifierLengthMessage(int index)
{
    std::u16string message;
    if (index == kOwnIdentifier) {
        message = u"Die Eigene Kennung ";
    } else {
        message = u"Die Schnellwechselkennung ";
        for (char ch : std::to_string(index))
            message += static_cast<char16_t>(ch);
        message += u' ';
    }
    return message + u"muss aus genau 8 Zeichen (0-9,A-F) bestehen!";
}

std::optional<int> FirstUnstorableIdentifier(const EditorSettings& settings, const EditorSettings& loaded)
{
    if (!IsStorableIdentifier(settings.ownId, loaded.ownId))
        return kOwnIdentifier;
    for (int k = 0; k < kQuickIdCount; ++k)
        if (!IsStorableIdentifier(settings.quickId[k], loaded.quickId[k]))
            return k;
    return std::nullopt;
}

// The keyboard filter of the hex edit control.
#include "controls/hex_edit_filter.h"

namespace
{

using Result = HexEditFilterResult;

Result Swallow()
{
    return {Result::Swallow, 0};
}

Result Pass()
{
    return {Result::Pass, 0};
}

Result PassAs(char16_t ch)
{
    return {Result::PassReplaced, ch};
}

Result FilterKeyDown(const HexEditKey& key, const HexEditField& field)
{
    const bool prefixed = IsPrefixed(field.text);
    switch (key.code) {
    case kVirtualKeyX:
        // Cutting exactly the prefix's '0' would leave a stray "x".
        return key.ctrl && prefixed && field.start == 0 && field.end == 1 ? Swallow() : Pass();
    case kVirtualKeyV:
        return key.ctrl ? Result{Result::Paste, 0} : Pass();
    case kVirtualKeyInsert:
        // Shift+Insert pastes; Ctrl+Insert copies.
        return key.shift && !key.ctrl ? Result{Result::Paste, 0} : Pass();
    case kVirtualKeyDelete:
        return prefixed && field.start == 0 && field.end <= 1 ? Swallow() : Pass();
    default:
        return Pass();
    }
}

// A character of 0x20 or above that no prefix rule decided: digits only.
Result FilterDigit(char16_t ch)
{
    if ((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F'))
        return Pass();
    if (ch >= u'a' && ch <= u'f')
        return PassAs(static_cast<char16_t>(ch - u'a' + u'A'));
    return Swallow();
}

Result FilterChar(unsigned code, const HexEditField& field)
{
    const bool prefixed = IsPrefixed(field.text);
    if (code == kCtrlVCharacter)
        return {Result::Paste, 0};
    if (code == u'\b')
        return prefixed && field.text[0] == u'0' && field.end == 1 ? Swallow() : Pass();
    if (code < 0x20)
        return Pass();
    // No code beyond 16 bits is a digit or an 'x'; never let truncation make it one.
    if (code > 0xFFFF)
        return Swallow();
    const auto ch = static_cast<char16_t>(code);

    if (prefixed) {
        if (field.start > 1)
            return FilterDigit(ch);
        // Typing in front of or inside the prefix; a selection reaching past it may be replaced.
        if (field.end <= 1)
            return Swallow();
    }
    if (field.start == 1 && IsLetterX(ch) && !field.text.empty() && field.text[0] == u'0')
        return PassAs(u'x');
    return FilterDigit(ch);
}

} // namespace

HexEditFilterResult FilterHexEditKey(const HexEditKey& key, const HexEditField& field)
{
    switch (key.kind) {
    case HexEditKey::KeyDown:
        return FilterKeyDown(key, field);
    case HexEditKey::Char:
        return FilterChar(key.code, field);
    default:
        return Pass();
    }
}

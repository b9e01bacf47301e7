// The paste check and the clipboard normalisation of the hex edit control.
#include "controls/hex_edit_paste.h"

#include <algorithm>

bool IsPasteAcceptable(std::u16string_view clip, const HexEditField& field)
{
    // Clipboard text counts up to its terminating zero, wherever that is.
    clip = clip.substr(0, clip.find(u'\0'));

    const bool prefixed = IsPrefixed(field.text);
    // Nothing may go in front of or inside an existing prefix.
    if (prefixed && field.end <= 1)
        return false;

    std::size_t skip = 0;
    if (clip.size() >= 2 && clip[0] == u'0' && IsLetterX(clip[1])) {
        // A pasted prefix must land at the start, and must replace an existing one.
        const bool fits = prefixed ? field.start == 0 && field.end >= 2 : field.start == 0;
        if (!fits)
            return false;
        skip = 2;
    }
    if (!clip.empty() && IsLetterX(clip[0])) {
        // A lone 'x' completes a prefix only right behind a leading '0'.
        if (field.text.empty() || field.text[0] != u'0' || field.start != 1)
            return false;
        skip = 1;
    }
    return std::all_of(clip.begin() + static_cast<std::ptrdiff_t>(skip), clip.end(), IsHexDigit);
}

bool ClipboardAllowsPaste(const ClipboardView& clipboard, const HexEditField& field)
{
    if (!clipboard.hasText)
        return false;
    if (!clipboard.opened)
        return true;
    return IsPasteAcceptable(clipboard.text, field);
}

std::u16string NormaliseClipboardText(std::u16string_view clip)
{
    std::u16string result(clip);
    for (char16_t& ch : result) {
        if (IsLetterX(ch))
            ch = u'x';
        else if (ch >= u'a' && ch <= u'z')
            ch = static_cast<char16_t>(ch - u'a' + u'A');
    }
    return result;
}

// Fuzzes the hex field's decisions: the keyboard filter, the paste check, the menu, Convert.
// A field that holds a hex number (an optional "0x" and digits) must still hold one after any
// character or paste the rules let in.
#include <algorithm>
#include <string>

#include "controls/hex_edit_convert.h"
#include "controls/hex_edit_filter.h"
#include "controls/hex_edit_menu.h"
#include "controls/hex_edit_paste.h"
#include "tests/fuzz/fuzz_support.h"

namespace
{

// Mostly the characters that matter, sometimes any 16-bit one.
std::u16string Text(FuzzInput& in, std::size_t length)
{
    static const char16_t common[] = u"0123456789ABCDEFabcdefxX \t-+gG\0";
    std::u16string text;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = in.Byte();
        text += b < 0xF0 ? common[b % 31] : static_cast<char16_t>(in.Word());
    }
    return text;
}

bool IsDigitText(std::u16string_view text)
{
    return std::all_of(text.begin(), text.end(), IsHexDigit);
}

bool HoldsHexNumber(const std::u16string& text)
{
    if (text.size() >= 2 && text[0] == u'0' && IsLetterX(text[1]))
        return IsDigitText(std::u16string_view(text).substr(2));
    return IsDigitText(text);
}

std::u16string Replaced(const HexEditField& field, std::u16string_view insert)
{
    std::u16string text = field.text;
    return text.replace(static_cast<std::size_t>(field.start), static_cast<std::size_t>(field.end - field.start),
                        insert);
}

void CheckConvert(const std::u16string& text)
{
    const bool isHex = TextCountsAsHex(text);
    const std::u16string converted = ConvertHexEditText(text, isHex);
    if (isHex) {
        FUZZ_CHECK(!converted.empty() && converted.size() <= 10);
        FUZZ_CHECK(std::all_of(converted.begin(), converted.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; }));
    } else {
        FUZZ_CHECK(converted.size() >= 3 && converted.size() <= 10 && converted.compare(0, 2, u"0x") == 0);
        FUZZ_CHECK(std::all_of(converted.begin() + 2, converted.end(),
                               [](char16_t c) { return IsHexDigit(c) && !(c >= u'a' && c <= u'f'); }));
    }
}

} // namespace

void FuzzHexEdit(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    HexEditField field;
    field.text = Text(in, in.Byte() % 12);
    const int length = static_cast<int>(field.text.size());
    field.start = in.Byte() % (length + 1);
    field.end = field.start + in.Byte() % (length - field.start + 1);
    const std::uint8_t flags = in.Byte();
    const std::u16string clip = Text(in, in.Byte() % 12);
    const ClipboardView clipboard{(flags & 1) != 0, (flags & 2) != 0, clip};
    const bool wasNumber = HoldsHexNumber(field.text);

    // A key or character: what passes changes the field as the edit control would.
    HexEditKey key;
    key.kind = flags & 4 ? HexEditKey::KeyDown : HexEditKey::Char;
    key.code = in.Byte();
    if (flags & 8)
        key.code = key.code << 16 | static_cast<unsigned>(in.Word());
    key.ctrl = (flags & 16) != 0;
    key.shift = (flags & 32) != 0;
    const HexEditFilterResult result = FilterHexEditKey(key, field);
    if (result.action == HexEditFilterResult::PassReplaced)
        FUZZ_CHECK(IsHexDigit(result.character) || result.character == u'x');
    const bool typed = key.kind == HexEditKey::Char && key.code >= 0x20 && key.code <= 0xFFFF;
    if (typed && result.action != HexEditFilterResult::Swallow && wasNumber) {
        const char16_t ch =
            result.action == HexEditFilterResult::PassReplaced ? result.character : static_cast<char16_t>(key.code);
        FUZZ_CHECK(HoldsHexNumber(Replaced(field, std::u16string(1, ch))));
    }

    // A paste the check lets through keeps a number a number (up to the clipboard's first zero).
    if (IsPasteAcceptable(clip, field) && wasNumber)
        FUZZ_CHECK(HoldsHexNumber(Replaced(field, std::u16string_view(clip).substr(0, clip.find(u'\0')))));
    if (!clipboard.hasText)
        FUZZ_CHECK(!ClipboardAllowsPaste(clipboard, field));

    const std::u16string normalised = NormaliseClipboardText(clip);
    FUZZ_CHECK(normalised.size() == clip.size());
    FUZZ_CHECK(std::none_of(normalised.begin(), normalised.end(),
                            [](char16_t c) { return (c >= u'a' && c <= u'z' && c != u'x') || c == u'X'; }));

    const auto items = BuildHexEditMenu(field, {(flags & 64) != 0, (flags & 128) != 0}, [&] { return clipboard; });
    FUZZ_CHECK(items.size() == 10);
    CheckConvert(field.text);
}

// Key name table and the lParam layout of keyboard messages.
#include "keys.h"

#include "protocol.h"

#include <cwctype>
#include <utility>

namespace
{

const std::pair<const wchar_t*, WORD> kNames[] = {
    {L"esc", VK_ESCAPE},   {L"escape", VK_ESCAPE}, {L"enter", VK_RETURN},   {L"return", VK_RETURN},
    {L"tab", VK_TAB},      {L"space", VK_SPACE},   {L"backspace", VK_BACK}, {L"delete", VK_DELETE},
    {L"del", VK_DELETE},   {L"insert", VK_INSERT}, {L"home", VK_HOME},      {L"end", VK_END},
    {L"left", VK_LEFT},    {L"right", VK_RIGHT},   {L"up", VK_UP},          {L"down", VK_DOWN},
    {L"pageup", VK_PRIOR}, {L"pagedown", VK_NEXT}, {L"ctrl", VK_CONTROL},   {L"shift", VK_SHIFT},
    {L"alt", VK_MENU},     {L"apps", VK_APPS},
};

bool IsModifier(WORD vk)
{
    return vk == VK_CONTROL || vk == VK_SHIFT || vk == VK_MENU;
}

WORD ParseKeyName(const std::wstring& name)
{
    std::wstring lower;
    for (wchar_t c : name)
        lower += static_cast<wchar_t>(std::towlower(c));
    for (const auto& [text, vk] : kNames)
        if (lower == text)
            return vk;
    if (lower.size() == 1 && ((lower[0] >= L'a' && lower[0] <= L'z') || (lower[0] >= L'0' && lower[0] <= L'9')))
        return static_cast<WORD>(std::towupper(lower[0]));
    if (lower.size() >= 2 && lower[0] == L'f' && std::iswdigit(lower[1])) {
        int n = std::stoi(lower.substr(1));
        if (n >= 1 && n <= 24)
            return static_cast<WORD>(VK_F1 + n - 1);
    }
    if (lower.rfind(L"0x", 0) == 0)
        return static_cast<WORD>(ParseNumber(lower));
    throw CommandError("unknown key: " + std::string(name.begin(), name.end()));
}

} // namespace

KeyChord ParseChord(const std::wstring& text)
{
    KeyChord chord;
    size_t start = 0;
    for (;;) {
        size_t plus = text.find(L'+', start);
        // Every "+" separates two names; the plus key itself is given by its hex code.
        WORD vk = ParseKeyName(text.substr(start, plus == std::wstring::npos ? plus : plus - start));
        if (plus == std::wstring::npos) {
            chord.vk = vk;
            return chord;
        }
        if (!IsModifier(vk))
            throw CommandError("only ctrl, shift and alt may come before '+'");
        chord.modifiers.push_back(vk);
        start = plus + 1;
    }
}

LPARAM KeyMessageParam(WORD vk, bool up, bool altDown)
{
    UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
    LPARAM param = 1 | (static_cast<LPARAM>(scan & 0xFF) << 16);
    // The navigation block sits on extended scan codes on a real keyboard.
    if ((vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE)
        param |= LPARAM{1} << 24;
    if (altDown)
        param |= LPARAM{1} << 29;
    if (up)
        param |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    return param;
}

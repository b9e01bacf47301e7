// The three lines of a device's identification.
#include "cli/ident_lines.h"

#include <string_view>
#include <vector>

#include "cli/utf8.h"
#include "config/setting_input.h"

namespace
{

// Only printable characters make a line of an identification; anything else is line noise.
bool IsPrintable(const std::u16string& text)
{
    for (char16_t ch : text)
        if (IsControlCharacter(ch) || ch > 0xFF)
            return false;
    return !text.empty();
}

} // namespace

std::optional<IdentLines> SplitShown(const std::u16string& shown)
{
    std::vector<std::u16string> lines(1);
    for (char16_t ch : shown) {
        if (ch == u'\r')
            lines.emplace_back();
        else
            lines.back() += ch;
    }
    if (lines.size() < 3 || (lines.size() > 3 && !(lines.size() == 4 && lines[3].empty())))
        return std::nullopt;
    for (std::size_t k = 0; k < 3; ++k) {
        for (const char16_t* label : {u"Software:", u"Version:", u"Option:"})
            if (lines[k].starts_with(label))
                lines[k].erase(0, std::u16string_view(label).size());
        lines[k].erase(0, lines[k].find_first_not_of(u" \t"));
        if (!IsPrintable(lines[k]))
            return std::nullopt;
    }
    return IdentLines{lines[0], lines[1], lines[2]};
}

// Walking the plain-name area across record boundaries and coding the names in it.
#include "config/name_area.h"

#include "config/record_fields.h"
#include "transfer/config_record.h"

std::optional<NameArea> WalkNameArea(std::string_view text, std::size_t start)
{
    NameArea area;
    std::size_t pos = start;
    for (std::size_t i = 0; i < kNameAreaPairs; ++i) {
        // Between two pairs, a terminator where the next pair would stand moves on to the next record.
        if (i > 0) {
            if (pos >= text.size())
                return std::nullopt;
            if (text[pos] == kRecordTerminator) {
                const std::size_t dollar = text.find('$', pos);
                if (dollar == std::string_view::npos)
                    return std::nullopt;
                pos = dollar + kRecordDataPos;
            }
        }
        if (!FieldFits(text, pos, 2))
            return std::nullopt;
        area.pairPos[i] = pos;
        pos += 2;
    }
    area.end = pos;
    return area;
}

std::u16string ReadName(std::string_view text, const NameArea& area, std::size_t k)
{
    std::u16string name;
    for (std::size_t j = 0; j < kNamePairs; ++j) {
        const int code = ReadBytePair(text, area.pairPos[k * kNamePairs + j]);
        if (code == 0)
            break;
        name += static_cast<char16_t>(code);
    }
    return name;
}

void WriteName(std::string& text, const NameArea& area, std::size_t k, std::u16string_view name)
{
    for (std::size_t j = 0; j < kNamePairs; ++j)
        WriteBytePair(text, area.pairPos[k * kNamePairs + j], j < name.size() ? name[j] : 0);
}

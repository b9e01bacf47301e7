// Hexadecimal pairs and the identifier order of the editor's fields.
#include "config/record_fields.h"

#include "config/identifier_rules.h"
#include "transfer/hex_codec.h"

namespace
{

// Record position of display character i: the identifier is a 32-bit value stored low byte first.
constexpr std::size_t kRecordIndexOfDigit[kIdentifierLen] = {6, 7, 4, 5, 2, 3, 0, 1};

char16_t CharAt(std::string_view text, std::size_t pos)
{
    return static_cast<unsigned char>(text[pos]);
}

} // namespace

bool FieldFits(std::string_view text, std::size_t pos, std::size_t len)
{
    return pos <= text.size() && len <= text.size() - pos;
}

int ReadBytePair(std::string_view text, std::size_t pos)
{
    return HexDigitValue(CharAt(text, pos)) * 16 + HexDigitValue(CharAt(text, pos + 1));
}

void WriteBytePair(std::string& text, std::size_t pos, int code)
{
    text[pos] = NibbleChar(code / 16);
    text[pos + 1] = NibbleChar(code % 16);
}

std::u16string ReadIdentifier(std::string_view text, std::size_t pos)
{
    std::u16string id(kIdentifierLen, u'0');
    for (std::size_t i = 0; i < kIdentifierLen; ++i)
        id[i] = CharAt(text, pos + kRecordIndexOfDigit[i]);
    return id;
}

void WriteIdentifier(std::string& text, std::size_t pos, std::u16string_view id)
{
    for (std::size_t i = 0; i < kIdentifierLen; ++i)
        text[pos + kRecordIndexOfDigit[i]] = static_cast<char>(id[i]);
}

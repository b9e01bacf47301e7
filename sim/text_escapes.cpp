// Escapes in command-line texts and printable forms of line bytes.
#include "sim/text_escapes.h"

#include "sim/hex_text.h"

std::optional<std::string> Unescape(std::string_view text, std::string& error)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            bytes.push_back(text[i]);
            continue;
        }
        const char kind = i + 1 < text.size() ? text[i + 1] : '\0';
        if (kind == 'r' || kind == 'n' || kind == '\\') {
            bytes.push_back(kind == 'r' ? '\r' : kind == 'n' ? '\n' : '\\');
            ++i;
            continue;
        }
        // Lower-case digits are fine here: this is typed text, not the device's wire format.
        const auto digit = [](char c) -> std::optional<int> {
            return c >= 'a' && c <= 'f' ? std::optional<int>(c - 'a' + 10) : HexDigit(c);
        };
        if (kind == 'x' && i + 3 < text.size() && digit(text[i + 2]) && digit(text[i + 3])) {
            bytes.push_back(static_cast<char>(*digit(text[i + 2]) * 16 + *digit(text[i + 3])));
            i += 3;
            continue;
        }
        error = "bad escape at position " + std::to_string(i) + " (use \\r \\n \\\\ \\xHH)";
        return std::nullopt;
    }
    return bytes;
}

std::string Printable(std::string_view bytes)
{
    std::string text;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte <= 0x7E)
            text.push_back(c);
        else
            text += "<" + HexPair(byte) + ">";
    }
    return text;
}

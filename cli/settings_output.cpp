// Text and JSON forms of settings and differences.
#include "cli/settings_output.h"

#include <cstdio>

#include "cli/utf8.h"

namespace
{

const char kAutoTransferLabel[] = "Konfiguration automatisch von Q4 auf Interface übertragen";
const char kReadGroupsLabel[] = "Gruppen einlesen bei erstem Interface-Start";

std::string Role(const EditorSettings& s)
{
    return s.masterSlave == 0 ? "Master" : "Slave";
}

std::string OnOff(bool on)
{
    return on ? "ein" : "aus";
}

std::string Quoted(std::u16string_view text)
{
    return "\"" + Escaped(text) + "\"";
}

std::string Tetra(const EditorSettings& s)
{
    return s.hasTetra ? "vorhanden" : "keine";
}

} // namespace

// C-style escapes keep quotes unambiguous and control characters and device bytes visible.
std::string Escaped(std::u16string_view text)
{
    std::string out;
    for (char16_t ch : text) {
        char escaped[8];
        if (ch == u'"' || ch == u'\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch == u'\t' || ch == u'\n' || ch == u'\r') {
            out += ch == u'\t' ? "\\t" : ch == u'\n' ? "\\n" : "\\r";
        } else if (ch < 0x20 || ch == 0x7F) {
            std::snprintf(escaped, sizeof escaped, "\\%03o", static_cast<unsigned>(ch));
            out += escaped;
        } else if ((ch >= 0x80 && ch <= 0x9F) || ch >= 0xFF80) {
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(ch));
            out += escaped;
        } else {
            out += ToUtf8(std::u16string_view(&ch, 1));
        }
    }
    return out;
}

std::string JsonString(std::u16string_view text)
{
    std::string out = "\"";
    for (char16_t ch : text) {
        if (ch == u'"' || ch == u'\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(ch));
            out += escaped;
        } else {
            out += ToUtf8(std::u16string_view(&ch, 1));
        }
    }
    return out + "\"";
}

std::string SettingsText(const EditorSettings& s, std::size_t records)
{
    std::string text = "Rolle:          " + Role(s) + "\n";
    text += "Eigene Kennung: " + ToUtf8(s.ownId) + "\n";
    text += "Schnellwechsel-Kennungen:\n";
    for (int k = 0; k < kQuickIdCount; ++k)
        text += "  " + std::to_string(k) + "  " + ToUtf8(s.quickId[k]) + "  " + Quoted(s.alias[k]) + "\n";
    if (s.hasTetra) {
        text += "TETRA-Interface:\n";
        text += std::string("  ") + kAutoTransferLabel + ": " + OnOff(s.autoTransfer) + "\n";
        text += std::string("  ") + kReadGroupsLabel + ": " + OnOff(s.readGroups) + "\n";
    } else {
        text += "TETRA-Interface: keine Einstellungen\n";
    }
    return text + "Datensätze:     " + std::to_string(records) + "\n";
}

std::string SettingsJson(const EditorSettings& s, std::size_t records)
{
    std::string json = "{\"role\": \"" + std::string(s.masterSlave == 0 ? "master" : "slave") + "\", ";
    json += "\"own_id\": " + JsonString(s.ownId) + ", \"quick_ids\": [";
    for (int k = 0; k < kQuickIdCount; ++k)
        json += (k ? ", " : "") + JsonString(s.quickId[k]);
    json += "], \"names\": [";
    for (int k = 0; k < kQuickIdCount; ++k)
        json += (k ? ", " : "") + JsonString(s.alias[k]);
    json += "], \"tetra\": ";
    if (s.hasTetra)
        json += std::string("{\"auto_transfer\": ") + (s.autoTransfer ? "true" : "false") +
                ", \"read_groups\": " + (s.readGroups ? "true" : "false") + "}";
    else
        json += "null";
    return json + ", \"records\": " + std::to_string(records) + "}\n";
}

SettingChange DescribeSettingDifference(const SettingDifference& d, const EditorSettings& a, const EditorSettings& b)
{
    using Field = SettingDifference::Field;
    const std::string k = std::to_string(d.index);
    switch (d.field) {
    case Field::Role:
        return {"Rolle", "role", Role(a), Role(b)};
    case Field::OwnId:
        return {"Eigene Kennung", "own_id", ToUtf8(a.ownId), ToUtf8(b.ownId)};
    case Field::QuickId:
        return {"Schnellwechselkennung " + k, "quick_id", ToUtf8(a.quickId[d.index]), ToUtf8(b.quickId[d.index])};
    case Field::Name:
        return {"Name " + k, "name", ToUtf8(a.alias[d.index]), ToUtf8(b.alias[d.index]), true};
    case Field::Tetra:
        return {"TETRA-Einstellungen", "tetra", Tetra(a), Tetra(b)};
    case Field::AutoTransfer:
        return {kAutoTransferLabel, "auto_transfer", OnOff(a.autoTransfer), OnOff(b.autoTransfer)};
    case Field::ReadGroups:
        return {kReadGroupsLabel, "read_groups", OnOff(a.readGroups), OnOff(b.readGroups)};
    }
    return {};
}

std::string SettingDifferenceLines(const std::vector<SettingDifference>& differences, const EditorSettings& a,
                                   const EditorSettings& b)
{
    std::string lines;
    for (const SettingDifference& d : differences) {
        const SettingChange change = DescribeSettingDifference(d, a, b);
        if (change.text)
            lines += change.label + ": " + Quoted(a.alias[d.index]) + " -> " + Quoted(b.alias[d.index]) + "\n";
        else
            lines += change.label + ": " + change.first + " -> " + change.second + "\n";
    }
    return lines;
}

std::string RecordDifferenceLines(const std::vector<RecordDifference>& differences, std::string_view firstName,
                                  std::string_view secondName)
{
    using Kind = RecordDifference::Kind;
    std::string lines;
    for (const RecordDifference& d : differences) {
        lines += "$P" + d.address + "  ";
        if (d.kind == Kind::OnlyInFirst) {
            lines += "nur in " + std::string(firstName);
        } else if (d.kind == Kind::OnlyInSecond) {
            lines += "nur in " + std::string(secondName);
        } else {
            for (std::size_t i = 0; i < d.dataBytes.size(); ++i) {
                const int k = d.dataBytes[i];
                lines += (i ? ", " : "") + std::string("Byte ") + std::to_string(k) + " (" + std::string(firstName) +
                         " " + DataBytePair(d.first, k) + ", " + std::string(secondName) + " " +
                         DataBytePair(d.second, k) + ")";
            }
        }
        lines += "\n";
    }
    return lines;
}

namespace
{

std::string RecordDifferencesJson(const std::vector<RecordDifference>& differences)
{
    using Kind = RecordDifference::Kind;
    std::string json = "[";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const RecordDifference& d = differences[i];
        json += (i ? ", " : "") + std::string("{\"address\": \"") + d.address + "\", \"kind\": \"" +
                (d.kind == Kind::OnlyInFirst    ? "only_first"
                 : d.kind == Kind::OnlyInSecond ? "only_second"
                                                : "data") +
                "\", \"bytes\": [";
        for (std::size_t k = 0; k < d.dataBytes.size(); ++k)
            json += (k ? ", " : "") + std::to_string(d.dataBytes[k]);
        json += "]}";
    }
    return json + "]";
}

std::string SettingDifferencesJson(const std::vector<SettingDifference>& differences, const EditorSettings& a,
                                   const EditorSettings& b)
{
    std::string json = "[";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const SettingChange change = DescribeSettingDifference(differences[i], a, b);
        json += (i ? ", " : "") + std::string("{\"field\": \"") + change.field +
                "\", \"index\": " + std::to_string(differences[i].index) +
                ", \"a\": " + JsonString(FromUtf8(change.first).value_or(u"")) +
                ", \"b\": " + JsonString(FromUtf8(change.second).value_or(u"")) + "}";
    }
    return json + "]";
}

const char* JsonBool(bool value)
{
    return value ? "true" : "false";
}

} // namespace

std::array<std::string, 3> IdentificationLines(const Identification& ident)
{
    return {Escaped(ident.software), Escaped(ident.version), Escaped(ident.option)};
}

std::string IdentificationText(const Identification& ident, bool json)
{
    const std::array<std::string, 3> lines = IdentificationLines(ident);
    if (!json)
        return "Software: " + lines[0] + "\nVersion: " + lines[1] + "\nOption: " + lines[2] + "\n";
    // The same escaped text as the lines; it holds no control characters, only its backslashes need escaping.
    const auto field = [](const std::string& line) { return JsonString(FromUtf8(line).value_or(u"")); };
    return "{\"software\": " + field(lines[0]) + ", \"version\": " + field(lines[1]) +
           ", \"option\": " + field(lines[2]) + "}\n";
}

std::string ReplyExcerpt(std::u16string_view reply)
{
    constexpr std::size_t kMaxBytes = 60;
    std::string excerpt;
    for (std::size_t k = 0; k < reply.size(); ++k) {
        const std::string next = Escaped(reply.substr(k, 1));
        if (excerpt.size() + next.size() > kMaxBytes)
            return excerpt + "…";
        excerpt += next;
    }
    return excerpt;
}

std::string VerifyJson(const std::vector<RecordDifference>& differences)
{
    return std::string("{\"equal\": ") + JsonBool(differences.empty()) +
           ", \"differences\": " + RecordDifferencesJson(differences) + "}\n";
}

std::string DiffJson(bool equal, bool spareOnly, const std::vector<SettingDifference>& settings,
                     const EditorSettings& first, const EditorSettings& second,
                     const std::vector<RecordDifference>& records)
{
    return std::string("{\"equal\": ") + JsonBool(equal) + ", \"spare_only\": " + JsonBool(spareOnly) +
           ", \"settings\": " + SettingDifferencesJson(settings, first, second) +
           ", \"records\": " + RecordDifferencesJson(records) + "}\n";
}

std::string Plural(std::size_t n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

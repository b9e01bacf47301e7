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
    return "\"" + ToUtf8(text) + "\"";
}

std::string Tetra(const EditorSettings& s)
{
    return s.hasTetra ? "vorhanden" : "keine";
}

} // namespace

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

std::string SettingDifferenceLines(const std::vector<SettingDifference>& differences, const EditorSettings& a,
                                   const EditorSettings& b)
{
    using Field = SettingDifference::Field;
    std::string lines;
    for (const SettingDifference& d : differences) {
        const std::string k = std::to_string(d.index);
        switch (d.field) {
        case Field::Role:
            lines += "Rolle: " + Role(a) + " -> " + Role(b);
            break;
        case Field::OwnId:
            lines += "Eigene Kennung: " + ToUtf8(a.ownId) + " -> " + ToUtf8(b.ownId);
            break;
        case Field::QuickId:
            lines +=
                "Schnellwechselkennung " + k + ": " + ToUtf8(a.quickId[d.index]) + " -> " + ToUtf8(b.quickId[d.index]);
            break;
        case Field::Name:
            lines += "Name " + k + ": " + Quoted(a.alias[d.index]) + " -> " + Quoted(b.alias[d.index]);
            break;
        case Field::Tetra:
            lines += "TETRA-Einstellungen: " + Tetra(a) + " -> " + Tetra(b);
            break;
        case Field::AutoTransfer:
            lines += std::string(kAutoTransferLabel) + ": " + OnOff(a.autoTransfer) + " -> " + OnOff(b.autoTransfer);
            break;
        case Field::ReadGroups:
            lines += std::string(kReadGroupsLabel) + ": " + OnOff(a.readGroups) + " -> " + OnOff(b.readGroups);
            break;
        }
        lines += "\n";
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

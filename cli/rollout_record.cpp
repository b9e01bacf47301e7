// The rollout's names, its CSV lines and its line per vehicle.
#include "cli/rollout_record.h"

#include <cstdio>

namespace
{

// The step's name in the CSV and on the console.
const char* StepName(RolloutStep step)
{
    switch (step) {
    case RolloutStep::Wait:
        return "Warten";
    case RolloutStep::Backup:
        return "Sichern";
    case RolloutStep::Build:
        return "Erstellen";
    case RolloutStep::Restore:
        return "Übertragen";
    case RolloutStep::Verify:
        return "Prüfen";
    case RolloutStep::Count:
        break;
    }
    return "";
}

std::string Result(const VehicleRecord& v)
{
    if (v.failedAt != RolloutStep::Count)
        return std::string("Fehler beim ") + StepName(v.failedAt);
    if (v.dryRun)
        return "Probelauf";
    return v.current ? "bereits aktuell" : "erledigt";
}

std::string LocalTime(std::time_t at, const char* format)
{
    char text[32] = {};
    std::strftime(text, sizeof text, format, std::localtime(&at));
    return text;
}

// A field as RFC 4180 has it: quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& field)
{
    if (field.find_first_of(",\"\r\n") == std::string::npos)
        return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string Counted(std::size_t number, const char* one, const char* more)
{
    return std::to_string(number) + " " + (number == 1 ? one : more);
}

} // namespace

std::string ArchiveName(const std::string& ownId, std::time_t at, bool prepared)
{
    return ownId + "_" + LocalTime(at, "%Y%m%d-%H%M%S") + (prepared ? "_neu.q4k" : ".q4k");
}

std::string RolloutCsvHeader()
{
    std::string header = "Zeit,Port,Identifikation 1,Identifikation 2,Identifikation 3,Eigene Kennung,Sicherung,"
                         "Neue Datei,Ergebnis";
    for (int step = 0; step < static_cast<int>(RolloutStep::Count); ++step)
        header += std::string(",") + StepName(static_cast<RolloutStep>(step)) + " s";
    return header + ",Fortgesetzt\r\n";
}

std::string RolloutCsvLine(const VehicleRecord& v)
{
    std::string line = CsvField(LocalTime(v.started, "%Y-%m-%d %H:%M:%S")) + "," + CsvField(v.port);
    for (const std::string& text : v.identification)
        line += "," + CsvField(text);
    for (const std::string* field : {&v.ownId, &v.archive, &v.prepared})
        line += "," + CsvField(*field);
    line += "," + CsvField(Result(v));
    for (const double seconds : v.seconds) {
        char number[24];
        std::snprintf(number, sizeof number, ",%.1f", seconds);
        line += number;
    }
    return line + (v.resumed ? ",ja" : ",nein") + "\r\n";
}

std::string VehicleLine(const VehicleRecord& v)
{
    const std::string who = (v.ownId.empty() ? std::string("Gerät") : v.ownId) + ": ";
    const std::string result = Result(v) + (v.resumed ? " (fortgesetzt)" : "");
    if (v.failedAt == RolloutStep::Count)
        return who + result + (v.dryRun ? ", nichts gesendet. Neue Datei: " + v.prepared : ". Sicherung: " + v.archive);
    if (v.archive.empty())
        return who + result + ", das Gerät ist unverändert.";
    if (v.failedAt == RolloutStep::Build)
        return who + result + ", das Gerät ist unverändert. Sicherung: " + v.archive;
    return who + result + (v.loop ? ". Zurück mit (erst die Schleife mit Strg+C beenden): " : ". Zurück mit: ") +
           v.wayBack;
}

std::string ChangeSummary(const std::vector<RecordDifference>& differences, const std::string& diffCommand)
{
    if (differences.empty())
        return "keine Änderung\n";
    // The records go on as few lines as a narrow terminal holds.
    constexpr std::size_t kWidth = 79;
    std::size_t bytes = 0;
    std::string lines;
    std::string line;
    for (const RecordDifference& d : differences) {
        bytes += d.dataBytes.size();
        std::string item = "$P" + d.address;
        if (d.kind == RecordDifference::Kind::DataDiffers)
            item += " " + Counted(d.dataBytes.size(), "Byte", "Bytes");
        else
            item += d.kind == RecordDifference::Kind::OnlyInSecond ? " neu" : " nur im Gerät";
        if (!line.empty() && line.size() + 2 + item.size() > kWidth) {
            lines += line + ",\n";
            line.clear();
        }
        line += (line.empty() ? "" : ", ") + item;
    }
    return "Änderungen: " + Counted(differences.size(), "Datensatz", "Datensätze") + ", " +
           Counted(bytes, "Byte", "Bytes") + "\n" + lines + line + "\nByte für Byte: " + diffCommand + "\n";
}

// The rollout's line per vehicle and its CSV line.
#include <gtest/gtest.h>

#include "cli/rollout_record.h"

namespace
{

VehicleRecord Vehicle(RolloutStep failedAt)
{
    VehicleRecord v;
    v.port = "/dev/ttyUSB0";
    v.ownId = "12AB34CD";
    v.archive = "a/12AB34CD_1.q4k";
    v.prepared = "a/12AB34CD_1_neu.q4k";
    v.wayBack = "q4k restore /dev/ttyUSB0 'a b/12AB34CD_1.q4k'";
    v.failedAt = failedAt;
    return v;
}

} // namespace

TEST(RolloutRecord, TheLineSaysWhereItFailedAndWhatRestoresTheVehicle)
{
    VehicleRecord noBackup = Vehicle(RolloutStep::Backup);
    noBackup.ownId.clear();
    noBackup.archive.clear();
    VehicleRecord inLoop = Vehicle(RolloutStep::Restore);
    inLoop.loop = inLoop.resumed = true;
    const std::pair<VehicleRecord, std::string> cases[] = {
        {Vehicle(RolloutStep::Count), "12AB34CD: erledigt. Sicherung: a/12AB34CD_1.q4k"},
        {noBackup, "Gerät: Fehler beim Sichern, das Gerät ist unverändert."},
        {Vehicle(RolloutStep::Build), "12AB34CD: Fehler beim Erstellen, das Gerät ist unverändert. Sicherung: "
                                      "a/12AB34CD_1.q4k"},
        {Vehicle(RolloutStep::Verify),
         "12AB34CD: Fehler beim Prüfen. Zurück mit: q4k restore /dev/ttyUSB0 'a b/12AB34CD_1.q4k'"},
        {inLoop, "12AB34CD: Fehler beim Übertragen (fortgesetzt). Zurück mit (erst die Schleife mit Strg+C beenden): "
                 "q4k restore /dev/ttyUSB0 'a b/12AB34CD_1.q4k'"},
    };
    for (const auto& [vehicle, line] : cases)
        EXPECT_EQ(VehicleLine(vehicle), line);
}

TEST(RolloutRecord, CsvFieldsAreQuotedWhereTheyNeedIt)
{
    VehicleRecord v = Vehicle(RolloutStep::Restore);
    v.identification = {"Quendal 4, TETRA", "V \"2\"", ""};
    v.seconds = {1.24, 2, 0, 3, 0};
    const std::string line = RolloutCsvLine(v);
    EXPECT_NE(line.find(",/dev/ttyUSB0,\"Quendal 4, TETRA\",\"V \"\"2\"\"\",,12AB34CD,a/12AB34CD_1.q4k,"
                        "a/12AB34CD_1_neu.q4k,Fehler beim Übertragen,1.2,2.0,0.0,3.0,0.0,nein\r\n"),
              std::string::npos)
        << line;
}

TEST(RolloutRecord, TheChangeSummaryNamesTheRecordsAndTheirBytesOnFewLines)
{
    using Kind = RecordDifference::Kind;
    std::vector<RecordDifference> differences(12, {Kind::DataDiffers, "20", {1, 2, 3}, {}, {}});
    differences.front() = {Kind::DataDiffers, "07", {4}, {}, {}};
    differences.push_back({Kind::OnlyInSecond, "9A", {}, {}, {}});
    differences.push_back({Kind::OnlyInFirst, "9B", {}, {}, {}});
    EXPECT_EQ(ChangeSummary(differences, "q4k diff a b"),
              "Änderungen: 14 Datensätze, 34 Bytes\n"
              "$P07 1 Byte, $P20 3 Bytes, $P20 3 Bytes, $P20 3 Bytes, $P20 3 Bytes,\n"
              "$P20 3 Bytes, $P20 3 Bytes, $P20 3 Bytes, $P20 3 Bytes, $P20 3 Bytes,\n"
              "$P20 3 Bytes, $P20 3 Bytes, $P9A neu, $P9B nur im Gerät\n"
              "Byte für Byte: q4k diff a b\n");
    EXPECT_EQ(ChangeSummary({}, "q4k diff a b"), "keine Änderung\n");
}

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
    v.failedAt = failedAt;
    return v;
}

} // namespace

TEST(RolloutRecord, TheLineSaysWhereItFailedAndWhatRestoresTheVehicle)
{
    VehicleRecord noBackup = Vehicle(RolloutStep::Backup);
    noBackup.ownId.clear();
    noBackup.archive.clear();
    const std::pair<VehicleRecord, std::string> cases[] = {
        {Vehicle(RolloutStep::Count), "12AB34CD: erledigt. Sicherung: a/12AB34CD_1.q4k"},
        {noBackup, "Gerät: Fehler beim Sichern, das Gerät ist unverändert."},
        {Vehicle(RolloutStep::Build), "12AB34CD: Fehler beim Erstellen, das Gerät ist unverändert. Sicherung: "
                                      "a/12AB34CD_1.q4k"},
        {Vehicle(RolloutStep::Verify),
         "12AB34CD: Fehler beim Prüfen. Zurück mit: q4k restore /dev/ttyUSB0 a/12AB34CD_1.q4k"},
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
                        "a/12AB34CD_1_neu.q4k,Fehler beim Übertragen,1.2,2.0,0.0,3.0,0.0\r\n"),
              std::string::npos)
        << line;
}

// The console's printing of real transfers against the simulator: phases, labels, failures,
// the failed record, the quiet mode and a stop.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/console_view.h"
#include "sim/in_process_link.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/backup_exchange.h"
#include "transfer/restore_exchange.h"

namespace
{
void AddFault(SimLink& link, const char* text)
{
    std::string error;
    link.GetDevice().AddFault(*ParseFault(text, error));
}

bool Contains(const std::string& out, const std::string& part)
{
    return out.find(part) != std::string::npos;
}
} // namespace

TEST(CliConsoleView, EachPhaseCountsItsOwnRecordsAndTheFinalTextStandsAlone)
{
    SimLink link;
    MemorySink file;
    std::ostringstream err;
    ConsoleView view(err, false, false);
    EXPECT_TRUE(RunBackup(link, view, file));
    const std::string out = err.str();
    EXPECT_TRUE(out.starts_with("Speichere Konfiguration in Datei...  10 % (13/127)\n")) << out;
    EXPECT_TRUE(Contains(out, "Speichere Konfiguration in Datei... 100 % (127/127)\n"
                              "Speichere Interface-Konfig in Datei...  10 % (4/32)\n"));
    EXPECT_TRUE(out.ends_with("Speichere Interface-Konfig in Datei... 100 % (32/32)\n"
                              "Konfiguration in Datei gespeichert!\n"));
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 21);
}

TEST(CliConsoleView, TheRestoreReachingTheInterfaceRecordsRelabelsItsPhase)
{
    SimLink link;
    std::ostringstream err;
    ConsoleView view(err, false, false);
    EXPECT_TRUE(RunRestore(link, view, GoldenFile()));
    const std::string out = err.str();
    EXPECT_TRUE(Contains(out, "Transferiere Konfiguration auf Quendal 4...  70 % (108/154)\n"
                              "Transferiere Interface-Konfiguration auf Quendal 4...  80 % (124/154)\n"))
        << out;
    EXPECT_TRUE(out.ends_with("100 % (154/154)\nKonfiguration auf Quendal 4 transferiert!\n"));
}

// A failure shows its box as "caption: text" even when quiet; the record it stopped at is named.
TEST(CliConsoleView, AFailedRecordIsShownAndNamed)
{
    const std::string box = "Fehler: Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden.\n";
    for (const bool quiet : {false, true}) {
        SimLink link;
        AddFault(link, "ack-never=03");
        std::ostringstream err;
        ConsoleView view(err, false, quiet);
        EXPECT_FALSE(RunRestore(link, view, GoldenFile()));
        view.NameFailedRecord("nicht quittiert");
        const std::string end =
            box + (quiet ? "" : "Laden der Konfiguration fehlerhaft!\n") + "Datensatz 03 nicht quittiert\n";
        EXPECT_EQ(err.str(), end) << quiet;
    }
}

namespace
{
// The user stops once the third record went out: nothing moves any more.
struct StoppedAfterTwoRecords : SimLink {
    bool Stopped() override { return Commands().size() > 2; }
    std::size_t Read(std::uint8_t* data, std::size_t n) override { return Stopped() ? 0 : SimLink::Read(data, n); }
};
} // namespace

TEST(CliConsoleView, AStoppedTransferShowsNoFailure)
{
    StoppedAfterTwoRecords link;
    std::ostringstream err;
    ConsoleView view(err, false, false);
    EXPECT_FALSE(RunRestore(link, view, GoldenFile()));
    view.NameFailedRecord("nicht quittiert");
    EXPECT_EQ(err.str(), "");
}

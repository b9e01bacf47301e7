// The console's transfer view: phases, their labels, messages and the quiet mode.
#include <gtest/gtest.h>

#include <sstream>

#include "cli/console_view.h"

namespace
{
// A phase as the exchanges start it: status, range, step, position 0, then `records` steps.
void Phase(ConsoleView& view, const std::u16string& status, int records)
{
    view.SetStatus(status, StatusKind::Running);
    view.SetProgressRange(static_cast<std::uint16_t>(records * 3));
    view.SetProgressStep(3);
    view.SetProgressPos(0);
    for (int k = 0; k < records; ++k)
        view.StepProgress();
}
} // namespace

TEST(CliConsoleView, EachPhaseCountsItsOwnRecordsAndTheFinalTextStandsAlone)
{
    std::ostringstream err;
    {
        ConsoleView view(err, false, false);
        Phase(view, u"Lese...", 10);
        Phase(view, u"Lese mehr...", 5);
        view.SetStatus(u"Fertig!", StatusKind::Done);
    }
    const std::string out = err.str();
    EXPECT_NE(out.find("Lese... 100 % (10/10)\n"), std::string::npos);
    EXPECT_NE(out.find("Lese mehr... 100 % (5/5)\nFertig!\n"), std::string::npos);
}

TEST(CliConsoleView, StatusInsideAPhaseRelabelsIt)
{
    std::ostringstream err;
    ConsoleView view(err, false, false);
    view.SetStatus(u"Sende...", StatusKind::Running);
    view.SetProgressRange(30);
    view.SetProgressStep(3);
    view.SetProgressPos(0);
    for (int k = 0; k < 10; ++k) {
        view.StepProgress();
        if (k == 4)
            view.SetStatus(u"Sende Interface...", StatusKind::Running);
    }
    EXPECT_NE(err.str().find("Sende...  50 % (5/10)\nSende Interface...  60 % (6/10)"), std::string::npos) << err.str();
}

TEST(CliConsoleView, MessagesShowEvenWhenQuiet)
{
    std::ostringstream err;
    ConsoleView view(err, false, true);
    Phase(view, u"Lese...", 10);
    view.ShowMessage(u"Auslesen fehlerhaft.", u"Fehler 03", MessageIcon::Stop);
    view.SetStatus(u"Gespeichert!", StatusKind::Done);
    EXPECT_EQ(err.str(), "Fehler 03: Auslesen fehlerhaft.\n");
}

// The kind decides, not the wording: a running text without "..." still labels the bar, and an
// outcome ending in "..." still ends it; an empty outcome ends the bar and shows no line.
TEST(CliConsoleView, TheStatusKindDecidesBetweenLabelAndOutcome)
{
    std::ostringstream err;
    ConsoleView view(err, false, false);
    Phase(view, u"Lese", 2);
    view.SetStatus(u"Lese weiter", StatusKind::Running);
    view.SetStatus(u"Abgebrochen...", StatusKind::Failed);
    Phase(view, u"Lese", 1);
    view.SetStatus(u"", StatusKind::Done);
    EXPECT_EQ(err.str(), "Lese  50 % (1/2)\nLese 100 % (2/2)\nAbgebrochen...\nLese 100 % (1/1)\n");
}

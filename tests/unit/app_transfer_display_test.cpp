// The window's status line, progress bar and boxes for each event of a transfer.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/transfer_display.h"
#include "tests/unit/transfer_test_support.h"

namespace
{
// Keeps each control call as a short ASCII line.
struct RecordingControls : TransferControls {
    std::vector<std::string> calls;
    void SetStatus(const std::u16string& text) override { calls.push_back("status " + NarrowToBytes(text)); }
    void SetProgressRange(std::uint16_t upper) override { calls.push_back("range " + std::to_string(upper)); }
    void SetProgressStep(int step) override { calls.push_back("step " + std::to_string(step)); }
    void SetProgressPos(int pos) override { calls.push_back("pos " + std::to_string(pos)); }
    void StepProgress() override { calls.push_back("stepit"); }
    void ShowMessage(const std::u16string& text, const std::u16string& caption, MessageIcon icon) override
    {
        calls.push_back("box " + NarrowToBytes(caption) + ": " + NarrowToBytes(text) + " icon " +
                        std::to_string(static_cast<int>(icon)));
    }
    void ShowFileError(const std::u16string& text) override { calls.push_back("file box " + NarrowToBytes(text)); }
};
} // namespace

TEST(AppTransferDisplay, EachEventBecomesTheWindowsCalls)
{
    struct Case {
        std::function<void(TransferView&)> event;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {[](TransferView& v) { v.PhaseBegun(u"Lese...", 127); }, {"status Lese...", "range 381", "step 3", "pos 0"}},
        {[](TransferView& v) { v.PhaseBegun(u"Leer", 0); }, {"status Leer", "range 0", "step 3", "pos 0"}},
        {[](TransferView& v) { v.PhaseRelabelled(u"Interface..."); }, {"status Interface..."}},
        {[](TransferView& v) { v.RecordUnderWay("5A"); }, {"stepit"}},
        {[](TransferView& v) { v.RecordFailed("05", u"Kaputt.", u"Fehler 03", MessageIcon::Stop); },
         {"box Fehler 03: Kaputt. icon 1"}},
        {[](TransferView& v) { v.PhaseCut(); }, {"pos 0"}},
        {[](TransferView& v) { v.FileFailed(u"Write failed: a.q4k"); }, {"file box Write failed: a.q4k"}},
        {[](TransferView& v) { v.TransferEnded(TransferOutcome::Done, u"Fertig!"); }, {"status Fertig!"}},
        {[](TransferView& v) { v.TransferEnded(TransferOutcome::Failed, u"Fehlerhaft!"); }, {"status Fehlerhaft!"}},
    };
    for (const Case& c : cases) {
        RecordingControls controls;
        TransferDisplay display(controls);
        c.event(display);
        EXPECT_EQ(controls.calls, c.calls);
    }
}

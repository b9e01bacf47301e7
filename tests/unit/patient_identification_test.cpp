// Identification tries of the console: late devices, devices plugged in later, and giving up.
#include <gtest/gtest.h>

#include "link/device_commands.h"
#include "link/patient_identification.h"
#include "tests/unit/fake_device.h"

namespace
{

const std::string kReply = "\x02Quendal 4 FMS\rV 2.14\rTETRA";

// A device that answers each query after `silences` empty reads (51 ms each), once `from` ms passed.
void AnswerLate(FakeDevice& link, int silences, std::uint64_t from = 0, const std::string& reply = kReply)
{
    link.onCommand = [&link, silences, from, reply](const std::string& command) {
        if (command == kQueryCommand && link.now >= from)
            link.QueueAfterSilences(reply, silences);
    };
}

} // namespace

TEST(PatientIdentification, FindsLateAndLaterDevicesAndGivesUpInAboutTwoSeconds)
{
    struct Case {
        const char* what;
        int silences;         // the device's delay, in empty reads of 51 ms
        std::uint64_t from;   // the device answers only from this time on
        std::uint64_t waitMs; // --wait
        IdentOutcome outcome;
        std::size_t maxQueries;
        std::uint64_t minMs, maxMs; // the simulated time taken
    };
    const Case cases[] = {
        {"prompt device, one try", 0, 0, 0, IdentOutcome::Identified, 1, 0, 200},
        {"answer after about 60 ms", 1, 0, 0, IdentOutcome::Identified, 2, 0, 1000},
        {"answer after about 300 ms", 6, 0, 0, IdentOutcome::Identified, 2, 0, 1000},
        {"no device", 0, ~0ull, 0, IdentOutcome::NoDevice, 3, 1500, 2500},
        {"plugged in after 3 s, waited for", 0, 3000, 10000, IdentOutcome::Identified, 6, 3000, 4500},
        {"plugged in after 3 s, not waited for", 0, 3000, 0, IdentOutcome::NoDevice, 3, 1500, 2500},
        {"never there, waited 5 s", 0, ~0ull, 5000, IdentOutcome::NoDevice, 8, 5000, 5200},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeDevice link;
        AnswerLate(link, c.silences, c.from);
        EXPECT_EQ(IdentifyPatiently(link, c.waitMs).outcome, c.outcome);
        EXPECT_LE(link.commands.size(), c.maxQueries);
        EXPECT_GE(link.now, c.minMs);
        EXPECT_LE(link.now, c.maxMs);
    }
}

TEST(PatientIdentification, LateAnswerOfOneTryIsDrainedNotTakenForTheNext)
{
    FakeDevice link;
    int queries = 0;
    // The first answer comes too late and is garbled; only the second query's answer is good.
    link.onCommand = [&](const std::string& command) {
        if (command != kQueryCommand)
            return;
        link.QueueAfterSilences(++queries == 1 ? "\x02Quendal 4 F" : kReply, 1);
    };
    std::vector<std::u16string> tries;
    const Identification shown =
        IdentifyPatiently(link, 0, {}, [&](const Identification& ident) { tries.push_back(ident.reply); });
    EXPECT_EQ(shown.outcome, IdentOutcome::Identified);
    EXPECT_EQ(shown.option, u"TETRA");
    EXPECT_EQ(tries, (std::vector<std::u16string>{u"", u"\x02Quendal 4 FMS\rV 2.14\rTETRA"}));
}

TEST(PatientIdentification, KeepsAPartialReplyAndStopsWhenAsked)
{
    FakeDevice partial;
    AnswerLate(partial, 0, 0, "Quendal 4 FMS");
    EXPECT_EQ(IdentifyPatiently(partial).outcome, IdentOutcome::Partial);

    FakeDevice silent;
    EXPECT_EQ(IdentifyPatiently(silent, 60000, [] { return true; }).outcome, IdentOutcome::NoDevice);
    EXPECT_EQ(silent.commands.size(), 1u);
}

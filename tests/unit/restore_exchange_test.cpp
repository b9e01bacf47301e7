// The restore exchange against a scripted device: records sent, acknowledgements, checks, status.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "tests/unit/fake_device.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/config_record.h"
#include "transfer/restore_exchange.h"

namespace
{

const std::string kEnd("$PROGENDE\x01");
const std::u16string kRunning = u"Transferiere Konfiguration auf Quendal 4...";
const std::u16string kInterface = u"Transferiere Interface-Konfiguration auf Quendal 4...";
const std::u16string kDone = u"Konfiguration auf Quendal 4 transferiert!";
const std::u16string kFailed = u"Laden der Konfiguration fehlerhaft!";

std::string Rec(const std::string& address, const std::string& data = CountingData())
{
    return FileRecord(address, data);
}

// Notes each write's size and the first read after it in the view's log; answers every
// record through `answer` (by default with its acknowledgement at once).
struct RestoreDevice : FakeDevice {
    std::vector<std::string>* log = nullptr;
    bool readSinceWrite = true;
    std::function<void(RestoreDevice&, const std::string& address)> answer =
        [](RestoreDevice& d, const std::string& address) { d.Queue("P" + address + "!\r"); };

    RestoreDevice()
    {
        onCommand = [this](const std::string& command) {
            if (command.size() == 133)
                answer(*this, command.substr(2, 2));
        };
    }
    std::size_t Write(const std::uint8_t* data, std::size_t n) override
    {
        if (log)
            log->push_back("write " + std::to_string(n));
        readSinceWrite = false;
        return FakeDevice::Write(data, n);
    }
    std::size_t Read(std::uint8_t* data, std::size_t n) override
    {
        if (log && !readSinceWrite)
            log->push_back("read");
        readSinceWrite = true;
        return FakeDevice::Read(data, n);
    }
};

struct RestoreRig {
    RestoreDevice device;
    RecordingView view;
    RestoreRig() { device.log = &view.log; }
    bool Run(const std::string& file) { return RunRestore(device, view, file); }
};

} // namespace

TEST(Restore, SendsEveryRecordInFileOrderThenTheEndCommand)
{
    RestoreRig rig;
    const std::string file = Rec("07") + Rec("01") + Rec("BC");
    EXPECT_TRUE(rig.Run(file));
    EXPECT_EQ(rig.device.written, file + kEnd);
    EXPECT_EQ(std::count(rig.view.log.begin(), rig.view.log.end(), "write 133"), 3);
    EXPECT_EQ(rig.view.Records(), 3);
    EXPECT_EQ(rig.view.log[0], "phase Transferiere Konfiguration auf Quendal 4... 3");
    EXPECT_EQ(rig.view.log[1], "write 133");
    EXPECT_EQ(rig.view.log[2], "record 07");
    EXPECT_EQ(rig.view.phases, std::vector<std::size_t>{3});
    EXPECT_EQ(rig.view.statuses, (std::vector<std::u16string>{kRunning, kDone}));
    EXPECT_EQ(rig.view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Done});
    EXPECT_TRUE(rig.view.messages.empty());
}

TEST(Restore, AcknowledgementFoundAmongOtherBytesAndAcrossPasses)
{
    using Answer = std::function<void(RestoreDevice&, const std::string&)>;
    const Answer accepted[] = {
        [](RestoreDevice& d, const std::string&) { d.Queue("\x13zP0P06!P06!\rzz"); },
        [](RestoreDevice& d, const std::string&) { d.Queue("zzzzP06!"), d.QueueAfterSilences("\r", 1); },
        [](RestoreDevice& d, const std::string&) { d.QueueAfterSilences("P06!\r", 100); },
    };
    for (const Answer& answer : accepted) {
        RestoreRig rig;
        rig.device.answer = answer;
        EXPECT_TRUE(rig.Run(Rec("06")));
        EXPECT_EQ(rig.device.written, Rec("06") + kEnd);
    }
    const Answer refused[] = {
        [](RestoreDevice& d, const std::string&) { d.QueueAfterSilences("P06!\r", 101); },
        [](RestoreDevice& d, const std::string&) { d.Queue("P07!\r"); },
        [](RestoreDevice& d, const std::string&) { d.Queue("P06!\nP06\r"); },
        [](RestoreDevice& d, const std::string&) { d.Queue("p06!\r"); },
    };
    for (const Answer& answer : refused) {
        RestoreRig rig;
        rig.device.answer = answer;
        rig.device.Queue("P06!\r"); // stale, drained before the record goes out
        EXPECT_FALSE(rig.Run(Rec("06")));
        EXPECT_EQ(rig.device.written, Rec("06"));
        EXPECT_EQ(rig.device.emptyReads, 1u + 101u);
        ASSERT_EQ(rig.view.messages.size(), 1u);
        EXPECT_EQ(rig.view.messages[0].address, "06");
        EXPECT_EQ(rig.view.messages[0].text,
                  u"Laden der Konifguration fehlerhaft. Datei konnte nicht übertragen werden.");
        EXPECT_EQ(rig.view.messages[0].caption, u"Fehler");
        EXPECT_EQ(rig.view.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(rig.view.statuses, (std::vector<std::u16string>{kRunning, kFailed}));
        EXPECT_EQ(rig.view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Failed});
    }
}

TEST(Restore, FailureAtThirdRecordStopsThereWithoutEndCommand)
{
    RestoreRig rig;
    rig.device.answer = [](RestoreDevice& d, const std::string& address) {
        if (address != "03")
            d.Queue("P" + address + "!\r");
    };
    const std::string file = Rec("01") + Rec("02") + Rec("03") + Rec("04") + Rec("05");
    EXPECT_FALSE(rig.Run(file));
    EXPECT_EQ(rig.device.written, file.substr(0, 3 * 133));
    EXPECT_EQ(rig.view.statuses.back(), kFailed);
}

TEST(Restore, FileWithoutWholeRecordsIsRefusedWithoutAnyCommand)
{
    // Empty, half a record, one and a half: what a cut-off copy leaves.
    for (const std::string& file : {std::string(), Rec("01").substr(0, 66), Rec("01") + Rec("02").substr(0, 66)}) {
        RestoreRig rig;
        EXPECT_FALSE(rig.Run(file));
        EXPECT_TRUE(rig.device.written.empty()) << file.size();
        ASSERT_EQ(rig.view.messages.size(), 1u) << file.size();
        EXPECT_EQ(rig.view.messages[0].text, u"Datei nicht geeignet!");
        EXPECT_EQ(rig.view.statuses, std::vector<std::u16string>{kFailed});
    }
    RestoreRig lineEnds;
    EXPECT_TRUE(lineEnds.Run(Rec("01") + "\r\n"));
    EXPECT_EQ(lineEnds.device.written, Rec("01") + kEnd);
    EXPECT_EQ(lineEnds.view.phases, std::vector<std::size_t>{1});
}

TEST(Restore, InterfaceStatusShownWhenBcGoesOutAndKept)
{
    RestoreRig rig;
    const std::string bc = Rec("BC", "00A1" + CountingData().substr(4));
    EXPECT_TRUE(rig.Run(Rec("06") + bc + Rec("80") + Rec("81")));
    EXPECT_EQ(rig.view.statuses, (std::vector<std::u16string>{kRunning, kInterface, kDone}));
    const auto at = std::find(rig.view.log.begin(), rig.view.log.end(),
                              "relabel Transferiere Interface-Konfiguration auf Quendal 4...");
    ASSERT_NE(at, rig.view.log.end());
    EXPECT_EQ(std::count(rig.view.log.begin(), at, "write 133"), 2);
    EXPECT_EQ(*(at - 1), "record BC");
    EXPECT_EQ(*(at + 1), "read");
    EXPECT_EQ(rig.view.phases, std::vector<std::size_t>{4});

    // "A3", or "A1" in a record other than "$PBC", is no interface configuration.
    RestoreRig other;
    EXPECT_TRUE(other.Run(Rec("BC", "00A3" + CountingData().substr(4)) + Rec("06", "00A1" + CountingData().substr(4))));
    EXPECT_EQ(other.view.statuses, (std::vector<std::u16string>{kRunning, kDone}));
}

TEST(Restore, UnsuitableFileIsRefusedBeforeAnythingIsSent)
{
    const std::pair<std::size_t, char> breaks[] = {
        {0, '#'}, {1, 'R'}, {2, 'a'}, {3, 'G'}, {4, 'G'}, {70, 'x'}, {131, ' '}, {132, '\r'},
    };
    for (const auto& [pos, ch] : breaks) {
        std::string broken = Rec("02");
        broken[pos] = ch;
        RestoreRig rig;
        EXPECT_FALSE(rig.Run(Rec("01") + broken + Rec("03")));
        EXPECT_TRUE(rig.device.written.empty()) << pos;
        ASSERT_EQ(rig.view.messages.size(), 1u);
        EXPECT_EQ(rig.view.messages[0].address, "");
        EXPECT_EQ(rig.view.messages[0].text, u"Datei nicht geeignet!");
        EXPECT_EQ(rig.view.messages[0].caption, u"Fehler");
        EXPECT_EQ(rig.view.messages[0].icon, MessageIcon::Stop);
        EXPECT_EQ(rig.view.statuses, std::vector<std::u16string>{kFailed});
    }
    EXPECT_TRUE(IsConfigurationFile(Rec("7F", "XXabcdef" + std::string(120, '9'))));
    // Good records beyond 65,536 bytes: refused whole, nothing sent.
    std::string large;
    while (large.size() + CONFIG_RECORD_LEN <= kMaxConfigFileBytes)
        large += Rec("01");
    EXPECT_TRUE(IsConfigurationFile(large + std::string(kMaxConfigFileBytes - large.size(), '\n')));
    RestoreRig tooLarge;
    EXPECT_FALSE(tooLarge.Run(large + std::string(kMaxConfigFileBytes - large.size() + 1, 'x')));
    EXPECT_TRUE(tooLarge.device.written.empty());
    // The one record check, which the backup applies to what it writes, takes exactly 133 bytes.
    EXPECT_TRUE(IsConfigurationRecord(Rec("02")));
    EXPECT_FALSE(IsConfigurationRecord(Rec("02").substr(0, 132)));
    EXPECT_FALSE(IsConfigurationRecord(Rec("02") + "\x01"));
}

TEST(Restore, BabblingLineEndsTheWaitAfterTenSecondsOr101Passes)
{
    // One byte every 10 ms: each pass is cut at 500 ms, so time ends the wait long before 101 passes.
    RestoreDevice slow;
    slow.babble = true;
    slow.babbleGapMs = 10;
    RecordingView view;
    const std::uint64_t sent = 500 + 133; // the drain's cap, then the record's write
    EXPECT_FALSE(RunRestore(slow, view, Rec("01")));
    EXPECT_GE(slow.now, sent + 10000);
    EXPECT_LT(slow.now, sent + 10500);
    EXPECT_EQ(view.statuses.back(), kFailed);

    // Bytes without pause and without time passing: the pass count ends it.
    struct FastBabble : RestoreDevice {
        int reads = 0;
        std::size_t Read(std::uint8_t* d, std::size_t n) override { return ++reads, FakeDevice::Read(d, n); }
    } fast;
    fast.babble = true;
    EXPECT_FALSE(RunRestore(fast, view, Rec("01")));
    EXPECT_EQ(fast.reads, 2048 * (1 + 101));
}

// The backup exchange against a scripted device: requests, records, failure boxes, final status.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "tests/unit/fake_device.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/backup_exchange.h"

namespace
{

const std::string kMainData = DataWithHead("40"); // a one-record block: only byte 0 becomes "XX"
const std::string kMainMarked = "XX" + CountingData().substr(2);
const std::string kBcData = "0000" + CountingData().substr(4);

std::string Addr(int address)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", address);
    return text;
}

std::string Reply(const std::string& address, const std::string& data)
{
    return "$R" + address + data + "\r";
}

// A device whose reply to each read request is set per address; an address without one is silent.
struct BackupRig {
    FakeDevice device;
    RecordingView view;
    MemorySink file;
    std::map<std::string, std::string> replies;

    BackupRig()
    {
        for (int a = 0x01; a <= 0x7F; ++a)
            replies[Addr(a)] = Reply(Addr(a), kMainData);
        replies["BC"] = Reply("BC", kBcData);
        device.onCommand = [this](const std::string& command) {
            const auto it = replies.find(command.substr(2, 2));
            if (it != replies.end())
                device.Queue(it->second);
        };
    }
    void WithInterface(const std::string& marker)
    {
        replies["BC"] = Reply("BC", "00" + marker + kBcData.substr(4));
        for (int a = 0x80; a <= 0x9F; ++a)
            replies[Addr(a)] = Reply(Addr(a), DataWithHead("FF"));
    }
    bool Run() { return RunBackup(device, view, file); }
    std::string LastRequest() const { return device.commands.back(); }
    std::string RequestBeforeBc() const { return device.commands[device.commands.size() - 2]; }
    // The events from the request of the record at `address` on, without that request.
    std::vector<std::string> EventsAfter(const std::string& address) const
    {
        const auto at = std::find(view.log.begin(), view.log.end(), "record " + address);
        return at == view.log.end() ? std::vector<std::string>{} : std::vector<std::string>(at + 1, view.log.end());
    }
};

const std::u16string kDone = u"Konfiguration in Datei gespeichert!";
const std::u16string kFailed = u"Auslesen der Konfiguration fehlerhaft!";

// The events after a record whose faults were reported under `captions`: the phase is cut, and
// nothing follows but the failed end.
std::vector<std::string> CutAt(const std::string& address, const std::vector<std::string>& captions)
{
    std::vector<std::string> events;
    for (const std::string& caption : captions)
        events.push_back("failed " + address + " " + caption);
    events.push_back("cut");
    events.push_back("end Auslesen der Konfiguration fehlerhaft!");
    return events;
}

} // namespace

TEST(Backup, WholeDeviceWithoutInterface)
{
    BackupRig rig;
    rig.device.Queue(Reply("01", DataWithHead("00"))); // stale input from before: drained
    EXPECT_TRUE(rig.Run());
    ASSERT_EQ(rig.device.commands.size(), 128u);
    EXPECT_EQ(rig.device.commands[0], "$R01\x01");
    EXPECT_EQ(rig.device.commands[9], "$R0A\x01");
    EXPECT_EQ(rig.device.commands[15], "$R10\x01");
    EXPECT_EQ(rig.device.commands[126], "$R7F\x01");
    EXPECT_EQ(rig.device.commands[127], "$RBC\x01");
    ASSERT_EQ(rig.file.writes.size(), 128u);
    EXPECT_EQ(rig.file.writes[0], FileRecord("01", kMainMarked));
    EXPECT_EQ(rig.file.writes[126], FileRecord("7F", kMainMarked));
    EXPECT_EQ(rig.file.writes[127], FileRecord("BC", kBcData)); // never marked
    EXPECT_EQ(rig.view.statuses, (std::vector<std::u16string>{u"Speichere Konfiguration in Datei...", kDone}));
    EXPECT_EQ(rig.view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Done});
    EXPECT_EQ(rig.view.log.front(), "phase Speichere Konfiguration in Datei... 127");
    EXPECT_EQ(rig.view.log[1], "record 01");
    EXPECT_EQ(rig.view.log[127], "record 7F");
    EXPECT_EQ(rig.view.phases, std::vector<std::size_t>{127});
    EXPECT_EQ(rig.view.Records(), 127);
    EXPECT_EQ(rig.file.commits, 1);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_TRUE(rig.view.fileErrors.empty());
}

TEST(Backup, NoiseBeforeReplyAndFFBlockHeads)
{
    BackupRig rig;
    rig.replies["05"] = std::string("\xFF\0$X R05", 8) + rig.replies["05"];
    rig.replies["07"] = Reply("07", DataWithHead("FF"));
    EXPECT_TRUE(rig.Run());
    ASSERT_EQ(rig.file.writes.size(), 127u);
    EXPECT_EQ(rig.file.writes[4], FileRecord("05", kMainMarked));
    EXPECT_EQ(rig.file.writes[6], FileRecord("08", kMainMarked)); // 07 left out, 08 heads a block
    EXPECT_EQ(rig.view.Records(), 127);
}

TEST(Backup, MissingReplyEndsMainPhaseThenBcIsRead)
{
    BackupRig rig;
    rig.replies.erase("10");
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.view.Captions(), std::vector<std::string>{"Fehler 03"});
    EXPECT_EQ(rig.view.messages[0].text,
              u"Auslesen der Konfiguration fehlerhaft. Datei konnte nicht gespeichert werden.");
    EXPECT_EQ(rig.view.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(rig.RequestBeforeBc(), "$R10\x01");
    ASSERT_EQ(rig.file.writes.size(), 16u);
    EXPECT_EQ(rig.file.writes[14].substr(0, 4), "$P0F");
    EXPECT_EQ(rig.file.writes[15].substr(0, 4), "$PBC");
    EXPECT_EQ(rig.EventsAfter("10"), CutAt("10", {"Fehler 03"}));
    EXPECT_EQ(rig.view.statuses.back(), kFailed);
    EXPECT_EQ(rig.view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Failed});
    EXPECT_EQ(rig.file.commits, 0);
}

TEST(Backup, MainRecordFramingFaults)
{
    struct Case {
        std::string reply;
        std::vector<std::string> captions;
        std::string written;
    };
    const std::string full = Reply("03", kMainData);
    const Case cases[] = {
        // No CR, right length: written as it came, and no terminator at 132 is a broken record too.
        {full.substr(0, 132) + "Z", {"Fehler 01", "Fehler 02"}, FileRecord("03", kMainMarked).substr(0, 132) + "Z"},
        // An early CR with stray bytes behind it, still 133 bytes: the restore would refuse it.
        {full.substr(0, 70) + "\r" + full.substr(71),
         {"Fehler 02"},
         FileRecord("03", kMainMarked).substr(0, 70) + "\x01" + FileRecord("03", kMainMarked).substr(71, 61) + "\r"},
        // A character the restore would not send.
        {full.substr(0, 40) + "g" + full.substr(41),
         {"Fehler 02"},
         FileRecord("03", kMainMarked).substr(0, 40) + "g" + FileRecord("03", kMainMarked).substr(41)},
        // No CR, one byte short: both boxes, filled up to keep the framing.
        {full.substr(0, 132), {"Fehler 01", "Fehler 02"}, FileRecord("03", kMainMarked)},
        // Bytes after the CR: the first 133 bytes.
        {full + "\x05junk", {"Fehler 02"}, FileRecord("03", kMainMarked)},
        // Cut short after 30 data bytes: those stay, the rest reads "X".
        {"$R03" + kMainData.substr(0, 60) + "\r",
         {"Fehler 02"},
         "$P03XX" + kMainMarked.substr(2, 58) + std::string(68, 'X') + "\x01"},
        // Too short to hold a block marker.
        {"$R0", {"Fehler 01", "Fehler 02"}, "$P0" + std::string(129, 'X') + "\x01"},
    };
    for (const Case& c : cases) {
        BackupRig rig;
        rig.replies["03"] = c.reply;
        EXPECT_FALSE(rig.Run());
        EXPECT_EQ(rig.view.Captions(), c.captions);
        EXPECT_EQ(rig.RequestBeforeBc(), "$R03\x01");
        ASSERT_EQ(rig.file.writes.size(), 4u);
        EXPECT_EQ(rig.file.writes[2], c.written);
        EXPECT_EQ(rig.EventsAfter("03"), CutAt("03", c.captions));
        EXPECT_EQ(rig.view.statuses.back(), kFailed);
    }
}

TEST(Backup, ShortRecordKeepsItsBlockLength)
{
    BackupRig rig;
    rig.replies["04"] = "$R04" + DataWithHead("05").substr(0, 60) + "\r";
    rig.Run();
    EXPECT_EQ(rig.file.writes[3], "$P04XX01020304" + std::string(118, 'X') + "\x01");
}

TEST(Backup, BcWithFFHoldsMainRecordsOnly)
{
    BackupRig rig;
    rig.WithInterface("A1");
    rig.replies["BC"] = Reply("BC", "FFA1" + kBcData.substr(4));
    EXPECT_TRUE(rig.Run());
    EXPECT_EQ(rig.file.writes.size(), 127u);
    EXPECT_EQ(rig.LastRequest(), "$RBC\x01");
    EXPECT_EQ(rig.view.statuses.back(), kDone);
}

TEST(Backup, InterfaceRecordsFollowA1OrA2)
{
    for (const char* marker : {"A1", "A2"}) {
        BackupRig rig;
        rig.WithInterface(marker);
        EXPECT_TRUE(rig.Run());
        EXPECT_EQ(rig.device.commands.size(), 160u);
        EXPECT_EQ(rig.device.commands[128], "$R80\x01");
        EXPECT_EQ(rig.LastRequest(), "$R9F\x01");
        ASSERT_EQ(rig.file.writes.size(), 160u);
        EXPECT_EQ(rig.file.writes[128], FileRecord("80", DataWithHead("FF"))); // never marked
        EXPECT_EQ(rig.view.statuses, (std::vector<std::u16string>{u"Speichere Konfiguration in Datei...",
                                                                  u"Speichere Interface-Konfig in Datei...", kDone}));
        EXPECT_EQ(rig.view.phases, (std::vector<std::size_t>{127, 32}));
        const auto restart =
            std::find(rig.view.log.begin(), rig.view.log.end(), "phase Speichere Interface-Konfig in Datei... 32");
        ASSERT_NE(restart, rig.view.log.end());
        EXPECT_EQ(*(restart + 1), "record 80");
        EXPECT_EQ(std::count_if(restart, rig.view.log.end(),
                                [](const std::string& line) { return line.starts_with("record "); }),
                  32);
    }
    BackupRig rig;
    rig.WithInterface("A3");
    EXPECT_TRUE(rig.Run());
    EXPECT_EQ(rig.LastRequest(), "$RBC\x01");
}

TEST(Backup, BcFramingFaultsFailButInterfaceStillFollows)
{
    BackupRig rig;
    rig.WithInterface("A2");
    const std::string bc = rig.replies["BC"];
    rig.replies["BC"] = bc.substr(0, 132);
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.view.Captions(), (std::vector<std::string>{"Fehler 11", "Fehler 12"}));
    EXPECT_EQ(rig.file.writes[127], bc.substr(0, 132).replace(1, 1, "P") + "\x01");
    EXPECT_EQ(rig.file.writes.size(), 160u);
    EXPECT_EQ(rig.view.statuses.back(), kFailed);
}

TEST(Backup, BcRecordTheRestoreWouldRefuseFailsTheBackup)
{
    BackupRig rig;
    rig.WithInterface("A1");
    std::string bc = rig.replies["BC"];
    bc[80] = '\r';
    rig.replies["BC"] = bc;
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.view.Captions(), std::vector<std::string>{"Fehler 12"});
    EXPECT_EQ(rig.file.writes.size(), 160u);
    EXPECT_EQ(rig.view.statuses.back(), kFailed);
}

TEST(Backup, InterfaceFaultsEndTheBackup)
{
    struct Case {
        std::vector<std::string> captions;
        std::string reply;
        std::size_t written;
    };
    const std::string data = DataWithHead("FF");
    const Case cases[] = {
        {{"Fehler 21", "Fehler 22"}, "$R85" + data + "Z", 128 + 6},
        {{"Fehler 22"}, "$R85" + data.substr(0, 20) + "\r", 128 + 6},
        {{"Fehler 22"}, "$R85" + data.substr(0, 20) + "\r" + data.substr(21) + "\r", 128 + 6},
        {{"Fehler 23"}, "", 128 + 5},
    };
    for (const Case& c : cases) {
        BackupRig rig;
        rig.WithInterface("A1");
        rig.replies["85"] = c.reply;
        EXPECT_FALSE(rig.Run());
        EXPECT_EQ(rig.view.Captions(), c.captions);
        EXPECT_EQ(rig.LastRequest(), "$R85\x01");
        EXPECT_EQ(rig.file.writes.size(), c.written);
        EXPECT_EQ(rig.EventsAfter("85"), CutAt("85", c.captions));
    }
}

TEST(Backup, SilentDeviceGivesTwoBoxesAndAnEmptyFile)
{
    BackupRig rig;
    rig.replies.clear();
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.view.Captions(), (std::vector<std::string>{"Fehler 03", "Fehler 03"}));
    EXPECT_EQ(rig.device.commands, (std::vector<std::string>{"$R01\x01", "$RBC\x01"}));
    EXPECT_TRUE(rig.file.writes.empty());
    EXPECT_EQ(rig.view.statuses.back(), kFailed);
}

TEST(Backup, FileWriteFailureStopsEverything)
{
    BackupRig rig;
    rig.file.failFromWrite = 2;
    EXPECT_FALSE(rig.Run());
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.LastRequest(), "$R03\x01");
    EXPECT_EQ(rig.EventsAfter("03"), (std::vector<std::string>{"file Write failed: C:\\conf\\a.q4k",
                                                               "end Auslesen der Konfiguration fehlerhaft!"}));
    EXPECT_EQ(rig.file.commits, 0);

    BackupRig atBc; // a failed "$PBC" write starts no interface phase
    atBc.WithInterface("A1");
    atBc.file.failFromWrite = 127;
    EXPECT_FALSE(atBc.Run());
    EXPECT_EQ(atBc.LastRequest(), "$RBC\x01");
}

TEST(Backup, FailedCommitIsAFileErrorAndNeverCalledSaved)
{
    BackupRig rig;
    rig.file.failCommit = true;
    EXPECT_FALSE(rig.Run());
    EXPECT_EQ(rig.file.writes.size(), 128u);
    EXPECT_EQ(rig.file.commits, 1);
    EXPECT_TRUE(rig.view.messages.empty());
    EXPECT_EQ(rig.EventsAfter("7F"), (std::vector<std::string>{"file Write failed: C:\\conf\\a.q4k",
                                                               "end Auslesen der Konfiguration fehlerhaft!"}));
    EXPECT_EQ(rig.view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Failed});
}

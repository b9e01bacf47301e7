// A stop request ends a running exchange through its failure path; a closed terminal's does not.
#include <gtest/gtest.h>

#include "link/stoppable_link.h"
#include "tests/unit/fake_device.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/restore_exchange.h"

TEST(StoppableLink, PassesBytesUntilStoppedThenMovesNone)
{
    FakeDevice device;
    StopSource stop;
    StoppableLink link(device, stop);
    const std::uint8_t byte = 'x';
    std::uint8_t got = 0;
    device.Queue("a");
    stop.Request(StopSource::Kind::WhenDone, 129);
    EXPECT_EQ(link.Write(&byte, 1), 1u);
    EXPECT_EQ(link.Read(&got, 1), 1u);
    stop.Request(StopSource::Kind::Now, 143);
    stop.Request(StopSource::Kind::WhenDone, 129);
    EXPECT_TRUE(stop.Now());
    EXPECT_EQ(stop.ExitCode(), 143);
    device.Queue("b");
    EXPECT_EQ(link.Write(&byte, 1), 0u);
    EXPECT_EQ(link.Read(&got, 1), 0u);
    EXPECT_EQ(device.written, "x");
}

TEST(StoppableLink, RestoreStoppedAfterTheFirstRecordFailsWithoutTheEndCommand)
{
    FakeDevice device;
    StopSource stop;
    device.onCommand = [&](const std::string& record) {
        device.Queue(std::string{'P', record[2], record[3], '!', '\r'});
        stop.Request(StopSource::Kind::Now, 130);
    };
    StoppableLink link(device, stop);
    RecordingView view;
    const std::string file = FileRecord("01", CountingData()) + FileRecord("02", CountingData());
    EXPECT_FALSE(RunRestore(link, view, file));
    EXPECT_EQ(device.commands.size(), 1u);
    // A stop is no failed record: no box, and the outcome says what happened.
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Interrupted});
}

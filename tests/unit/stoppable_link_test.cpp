// A stop request ends a running exchange through its failure path.
#include <gtest/gtest.h>

#include <atomic>

#include "link/stoppable_link.h"
#include "tests/unit/fake_device.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/restore_exchange.h"

namespace
{
// The flag a test raises; a stop query is a plain function, as the console's handler needs.
std::atomic<bool> stop{false};
bool Stopped()
{
    return stop;
}
} // namespace

TEST(StoppableLink, PassesBytesUntilStoppedThenMovesNone)
{
    FakeDevice device;
    stop = false;
    StoppableLink link(device, Stopped);
    const std::uint8_t byte = 'x';
    std::uint8_t got = 0;
    device.Queue("a");
    EXPECT_EQ(link.Write(&byte, 1), 1u);
    EXPECT_EQ(link.Read(&got, 1), 1u);
    stop = true;
    device.Queue("b");
    EXPECT_EQ(link.Write(&byte, 1), 0u);
    EXPECT_EQ(link.Read(&got, 1), 0u);
    EXPECT_EQ(device.written, "x");
}

TEST(StoppableLink, RestoreStoppedAfterTheFirstRecordFailsWithoutTheEndCommand)
{
    FakeDevice device;
    stop = false;
    device.onCommand = [&](const std::string& record) {
        device.Queue(std::string{'P', record[2], record[3], '!', '\r'});
        stop = true;
    };
    StoppableLink link(device, Stopped);
    RecordingView view;
    const std::string file = FileRecord("01", CountingData()) + FileRecord("02", CountingData());
    EXPECT_FALSE(RunRestore(link, view, file));
    EXPECT_EQ(device.commands.size(), 1u);
    // A stop is no failed record: no box, and the outcome says what happened.
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(view.outcomes, std::vector<TransferOutcome>{TransferOutcome::Interrupted});
}

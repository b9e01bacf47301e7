// The restore exchange: the file's check first, then one acknowledged write per record.
#include "transfer/restore_exchange.h"

#include <cstdint>
#include <string>
#include <vector>

#include "link/device_commands.h"
#include "link/link_io.h"
#include "transfer/config_record.h"
#include "transfer/transfer_texts.h"

namespace
{

// A slow device gets this many reading passes for one acknowledgement...
constexpr int kMaxReadingPasses = 101;
// ...but a line that keeps babbling makes each pass last up to the read cap, so time bounds it too.
constexpr std::uint64_t kMaxAckWaitMs = 10000;

// Reads until the acknowledgement shows up anywhere in what came since the record went out;
// an acknowledgement split over two passes still counts.
bool AwaitAcknowledgement(ByteLink& link, const std::string& expected, ReplyReading reading)
{
    std::string unmatched;
    const std::uint64_t start = link.NowMs();
    for (int pass = 0; pass < kMaxReadingPasses; ++pass) {
        unmatched += ReadReply(link, reading, {expected, expected.size()});
        if (unmatched.find(expected) != std::string::npos)
            return true;
        // Only a tail shorter than the acknowledgement can still become part of it.
        if (unmatched.size() >= expected.size())
            unmatched.erase(0, unmatched.size() - (expected.size() - 1));
        if (link.NowMs() - start >= kMaxAckWaitMs)
            return false;
    }
    return false;
}

} // namespace

bool RunRestore(ByteLink& link, TransferView& view, std::string_view fileBytes, ReplyReading reading)
{
    // Sending an arbitrary file's bytes as write commands could garble the device's memory.
    if (!IsConfigurationFile(fileBytes)) {
        view.RecordFailed({}, kUnsuitableFileText, kRestoreErrorCaption, MessageIcon::Stop);
        view.TransferEnded(TransferOutcome::Failed, kRestoreFailedText);
        return false;
    }
    const std::vector<std::string> records = SplitRecords(fileBytes);
    view.PhaseBegun(kRestoreRunningText, records.size());
    Drain(link);
    for (const std::string& record : records) {
        const std::string address = record.substr(kRecordAddressPos, 2);
        DrainLateBytes(link, reading);
        link.Write(reinterpret_cast<const std::uint8_t*>(record.data()), record.size());
        view.RecordUnderWay(address);
        if (address == "BC" && AnnouncesInterfaceRecords(record))
            view.PhaseRelabelled(kRestoreInterfaceText);
        if (!AwaitAcknowledgement(link, "P" + address + "!\r", reading)) {
            // A stop by the user is no fault of the record under way.
            const bool stopped = link.Stopped();
            if (!stopped)
                view.RecordFailed(address, kRestoreErrorBoxText, kRestoreErrorCaption, MessageIcon::Stop);
            view.TransferEnded(stopped ? TransferOutcome::Interrupted : TransferOutcome::Failed, kRestoreFailedText);
            return false;
        }
    }
    view.TransferEnded(TransferOutcome::Done, kRestoreDoneText);
    SendEndCommand(link);
    return true;
}

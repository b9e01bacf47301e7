// Fuzzes the restore: a file (raw, or records built from the input) and a device whose
// acknowledgements are drawn from the input: prompt, wrapped in noise, split, late, wrong or missing.
#include <string>
#include <vector>

#include "link/device_commands.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/fake_device.h"
#include "transfer/config_record.h"
#include "transfer/restore_exchange.h"

namespace
{

// Records with sound framing, some with one byte changed, so most files pass the check.
std::string BuiltFile(FuzzInput& in)
{
    std::string file;
    const int count = in.Byte() % 8;
    for (int r = 0; r < count; ++r) {
        const std::uint8_t seed = in.Byte();
        std::string record = "$P" + HexPair(in.Byte());
        for (int k = 0; k < 64; ++k)
            record += HexPair(static_cast<std::uint8_t>(seed + k));
        record += kRecordTerminator;
        if (in.Byte() & 1) {
            const std::size_t pos = in.Byte() % record.size();
            record[pos] = static_cast<char>(in.Byte());
        }
        file += record;
    }
    return file + in.Bytes(in.Byte() % 133); // an incomplete piece at the end
}

void Acknowledge(FakeDevice& device, const std::string& record, FuzzInput& in)
{
    const std::string ack{'P', record[2], record[3], '!', '\r'};
    const std::uint8_t control = in.Byte();
    switch (control & 7) {
    case 0:
        device.Queue(ack);
        return;
    case 1: {
        const std::string before = in.Bytes(in.Byte() & 15);
        device.Queue(before + ack + in.Bytes(in.Byte() & 15));
        return;
    }
    case 2:
        device.Queue(ack.substr(0, 2));
        device.QueueAfterSilences(ack.substr(2), 1 + (control >> 3));
        return;
    case 3:
        return;
    case 4:
        device.Queue(std::string{'P', record[3], record[2], '!', '\r'});
        return;
    case 5:
        device.Queue(in.Bytes(in.Byte()));
        return;
    case 6:
        device.Queue(std::string(700 * (1 + (control >> 3)), 'G')); // babble
        device.Queue(ack);
        return;
    default:
        device.QueueAfterSilences(ack, 60 + (control >> 3) * 2); // late, maybe too late
        return;
    }
}

} // namespace

void FuzzRestoreExchange(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string file = in.Byte() & 1 ? BuiltFile(in) : in.Bytes(in.Word());
    FakeDevice device;
    QuietView view;
    device.onCommand = [&](const std::string& command) {
        if (command.size() == CONFIG_RECORD_LEN)
            Acknowledge(device, command, in);
    };

    const bool done = RunRestore(device, view, file);

    if (!IsConfigurationFile(file)) {
        FUZZ_CHECK(!done && device.written.empty());
        return;
    }
    // What went out is the file's leading records in order, then the end command only after all.
    const std::vector<std::string> records = SplitRecords(file);
    std::string sent;
    std::size_t count = 0;
    while (count < records.size() && device.written.compare(sent.size(), CONFIG_RECORD_LEN, records[count]) == 0)
        sent += records[count++];
    FUZZ_CHECK(device.written == (done ? sent + std::string(kEndCommand) : sent));
    FUZZ_CHECK(!done || count == records.size());
    FUZZ_CHECK(done || count >= 1);
    // Each record waits 101 passes of at most a read cap and a time-out, or 10 s, whichever ends first.
    FUZZ_CHECK(device.now <= 1000 + count * 11000);
}

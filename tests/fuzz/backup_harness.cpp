// Fuzzes the backup: a device whose every reply is drawn from the input, from well-formed
// records with small faults to raw bytes, silence and babble.
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "tests/unit/fake_device.h"
#include "transfer/backup_exchange.h"
#include "transfer/config_record.h"

namespace
{

// 127 main records, "$PBC" and 32 interface records.
constexpr std::size_t kMostRequests = 160;

class KeptRecords : public RecordSink
{
  public:
    std::vector<std::string> records;
    bool Write(std::string_view bytes) override
    {
        records.emplace_back(bytes);
        return true;
    }
    bool Commit() override { return true; }
    std::u16string ErrorText() const override { return u"Write failed"; }
};

// One reply, chosen by a control byte: the low two bits pick the kind, the others the faults.
void Answer(FakeDevice& device, const std::string& request, FuzzInput& in)
{
    if (in.Empty())
        return; // a device that fell silent
    const std::uint8_t control = in.Byte();
    switch (control & 3) {
    case 0: {
        // A well-formed reply: data from one seed byte (compact) or from 64 input bytes.
        std::string data;
        const std::uint8_t seed = in.Byte();
        for (int k = 0; k < 64; ++k)
            data += HexPair(control & 0x80 ? static_cast<std::uint8_t>(seed + k) : in.Byte());
        std::string reply = "$R" + request.substr(2, 2) + data + "\r";
        if (control & 0x04)
            reply = in.Bytes(in.Byte() & 7) + reply; // noise before it
        if (control & 0x08)
            reply.pop_back(); // no CR
        if (control & 0x10)
            reply += in.Bytes(in.Byte() & 7); // bytes after the CR
        if (control & 0x20) {
            const std::size_t pos = in.Byte() % reply.size();
            reply[pos] = static_cast<char>(in.Byte()); // one byte changed, an early CR for one
        }
        if (control & 0x40)
            device.QueueAfterSilences(reply, 1); // too late for this request
        else
            device.Queue(reply);
        return;
    }
    case 1:
        device.Queue(in.Bytes(in.Byte()));
        return;
    case 2:
        return;
    default: {
        const std::size_t length = 600 + in.Byte();
        device.Queue(std::string(length, static_cast<char>(in.Byte()))); // babble past the caps
        return;
    }
    }
}

} // namespace

void FuzzBackupExchange(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FakeDevice device;
    QuietView view;
    KeptRecords file;
    device.Queue(in.Bytes(in.Byte() & 15)); // stale input for the drain
    device.onCommand = [&](const std::string& request) { Answer(device, request, in); };

    const bool saved = RunBackup(device, view, file);

    FUZZ_CHECK(device.commands.size() <= kMostRequests);
    FUZZ_CHECK(file.records.size() <= device.commands.size());
    for (const std::string& request : device.commands)
        FUZZ_CHECK(request.size() == 5 && request.compare(0, 2, "$R") == 0);
    // Every record is 133 bytes. One that the restore would refuse (no terminator at its end, a
    // CR among its data, ...) was reported, and a backup that says it saved the file has none.
    for (const std::string& record : file.records) {
        FUZZ_CHECK(record.size() == CONFIG_RECORD_LEN);
        if (!IsConfigurationRecord(record))
            FUZZ_CHECK(!saved && view.messages > 0);
    }
    if (saved)
        FUZZ_CHECK(view.messages == 0);
}

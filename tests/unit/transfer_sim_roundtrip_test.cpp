// Backup and restore against the device simulator: the golden file, and backup-restore-backup.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/default_image.h"
#include "sim/in_process_link.h"
#include "tests/unit/transfer_test_support.h"
#include "transfer/backup_exchange.h"
#include "transfer/restore_exchange.h"

namespace
{

std::string Backup(SimLink& link)
{
    RecordingView view;
    MemorySink file;
    EXPECT_TRUE(RunBackup(link, view, file));
    return file.Bytes();
}

// Passes everything through and keeps what the program wrote.
struct WriteTap : ByteLink {
    ByteLink& inner;
    std::string written;
    explicit WriteTap(ByteLink& link) : inner(link) {}
    std::size_t Write(const std::uint8_t* data, std::size_t n) override
    {
        written.append(reinterpret_cast<const char*>(data), n);
        return inner.Write(data, n);
    }
    std::size_t Read(std::uint8_t* data, std::size_t n) override { return inner.Read(data, n); }
    std::uint64_t NowMs() override { return inner.NowMs(); }
};

void ChangeByte(DeviceMemory& memory, std::uint8_t address, std::size_t k, std::uint8_t value)
{
    RecordData data = memory.Record(address);
    data[k] = value;
    memory.SetRecord(address, data);
}

} // namespace

TEST(TransferSim, BackupOfDefaultImageEqualsGoldenFile)
{
    SimLink link;
    const std::string golden = GoldenFile();
    ASSERT_EQ(golden.size(), 154u * 133u);
    EXPECT_EQ(Backup(link), golden);
}

TEST(TransferSim, RestoredBackupBacksUpTheSame)
{
    SimLink source;
    const std::string file = Backup(source);

    DeviceMemory other = DefaultMemory();
    ChangeByte(other, 0x07, 4, 0x42); // a quick-change identifier
    ChangeByte(other, 0x80, 27, '2'); // an interface option
    ChangeByte(other, 0x0E, 0, 0x99); // the byte a block runs into by one
    SimLink before{Device(other)};
    ASSERT_NE(Backup(before), file);

    SimLink target{Device(other)};
    WriteTap tap(target);
    RecordingView view;
    EXPECT_TRUE(RunRestore(tap, view, file));
    EXPECT_EQ(tap.written, file + "$PROGENDE\x01");

    EXPECT_EQ(Backup(target), file);
}

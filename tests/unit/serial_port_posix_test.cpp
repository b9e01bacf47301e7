// The termios serial link on a pseudo-terminal, and the serial port scan on a made-up /dev.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>

#include "link/serial_port_posix.h"

namespace
{
struct Pty {
    int master = -1;
    std::string slave;
    Pty()
    {
        int slaveFd = -1;
        char name[128] = {};
        EXPECT_EQ(::openpty(&master, &slaveFd, name, nullptr, nullptr), 0);
        ::close(slaveFd);
        slave = name;
    }
    ~Pty() { ::close(master); }
};

// A link opened on a fresh pseudo-terminal.
class PtyLink : public testing::Test
{
  protected:
    void SetUp() override
    {
        link = PosixSerialLink::Open(pty.slave, failure);
        ASSERT_TRUE(link) << failure.reason;
    }
    Pty pty;
    PortFailure failure;
    std::unique_ptr<PosixSerialLink> link;
};
} // namespace

TEST_F(PtyLink, EmptyReadReturnsAfterTheComPortTimeOut)
{
    std::uint8_t byte = 0;
    const std::uint64_t start = link->NowMs();
    EXPECT_EQ(link->Read(&byte, 1), 0u);
    const std::uint64_t took = link->NowMs() - start;
    EXPECT_GE(took, 50u);
    EXPECT_LT(took, 150u); // generous: the sanitizers and a busy machine slow the wake-up
}

TEST_F(PtyLink, HangUpIsADeviceErrorNotASilentLine)
{
    std::uint8_t byte = 0;
    EXPECT_EQ(link->Read(&byte, 1), 0u);
    EXPECT_FALSE(link->DeviceError());
    ::close(pty.master);
    pty.master = -1;
    EXPECT_EQ(link->Read(&byte, 1), 0u);
    EXPECT_TRUE(link->DeviceError());
    const std::uint64_t start = link->NowMs();
    EXPECT_EQ(link->Read(&byte, 1), 0u);
    EXPECT_LT(link->NowMs() - start, 50u); // a transfer on the dead port ends without its time-outs
}

TEST_F(PtyLink, ReadWithinWaitsOnlyTheTimeAskedFor)
{
    std::uint8_t byte = 0;
    const std::uint64_t start = link->NowMs();
    EXPECT_EQ(link->ReadWithin(&byte, 1, 0), 0u);
    EXPECT_EQ(link->ReadWithin(&byte, 1, 3), 0u);
    EXPECT_LT(link->NowMs() - start, 30u);
    ASSERT_EQ(::write(pty.master, "\r", 1), 1);
    EXPECT_EQ(link->ReadWithin(&byte, 1, 1000), 1u); // returns with the byte, long before the wait
    EXPECT_EQ(byte, '\r');
}

TEST_F(PtyLink, BytesPassBothWaysUnchanged)
{
    // Raw mode: CR, 0x01 and 0xFF are neither translated nor taken as control characters.
    const std::uint8_t out[] = {'$', 'R', '\r', 0x01, 0xFF, '\n'};
    EXPECT_EQ(link->Write(out, sizeof out), sizeof out);
    std::uint8_t seen[sizeof out] = {};
    ASSERT_EQ(::read(pty.master, seen, sizeof seen), static_cast<ssize_t>(sizeof seen));
    EXPECT_EQ(std::memcmp(seen, out, sizeof out), 0);
    ASSERT_EQ(::write(pty.master, "\r\x03", 2), 2);
    std::uint8_t in[2] = {};
    EXPECT_EQ(link->Read(in, 1), 1u);
    EXPECT_EQ(link->Read(in + 1, 1), 1u);
    EXPECT_EQ(in[0], '\r');
    EXPECT_EQ(in[1], 0x03);
}

TEST(PosixSerialLink, MissingDeviceNonTerminalAndLockedPortAreToldApart)
{
    PortFailure failure;
    EXPECT_FALSE(PosixSerialLink::Open("/nonexistent/ttyUSB9", failure));
    EXPECT_EQ(failure.kind, PortFailure::Kind::Missing);
    EXPECT_FALSE(PosixSerialLink::Open("/dev/null", failure));
    EXPECT_EQ(failure.kind, PortFailure::Kind::NotSerial);
    Pty pty;
    auto first = PosixSerialLink::Open(pty.slave, failure);
    ASSERT_TRUE(first);
    EXPECT_FALSE(PosixSerialLink::Open(pty.slave, failure));
    EXPECT_EQ(failure.kind, PortFailure::Kind::Busy);
}

TEST(SerialPortScan, UsbAndAcmInNumberOrderEachOnceWithItsByIdName)
{
    const std::filesystem::path dev =
        std::filesystem::temp_directory_path() / ("q4k-dev-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dev / "serial" / "by-id");
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyUSBx", "tty0"})
        std::ofstream(dev / name) << "";
    std::filesystem::create_symlink(dev / "ttyUSB2", dev / "serial" / "by-id" / "usb-FTDI_Box-if00");
    const std::vector<std::string> ports = ListSerialPorts(dev.string());
    std::filesystem::remove_all(dev);
    // A ttyS node without a UART behind it (here a plain file) is left out.
    const std::vector<std::string> expected = {(dev / "ttyUSB2").string() + "  usb-FTDI_Box-if00",
                                               (dev / "ttyUSB10").string(), (dev / "ttyACM0").string()};
    EXPECT_EQ(ports, expected);
}

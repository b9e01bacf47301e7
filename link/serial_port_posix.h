// The serial port over termios: raw 9600 8N1 without flow control, opened exclusively, with
// the read and write time-outs of the Win32 COM port, and the list of the machine's ports.
#pragma once

#include <termios.h>

#include <memory>
#include <string>
#include <vector>

#include "link/byte_link.h"
#include "link/port_failure.h"

class PosixSerialLink : public ByteLink
{
  public:
    // Opens, locks and configures the port; nothing and why on failure. The lock is TIOCEXCL, which
    // root passes, and an advisory flock, which every q4k honours.
    static std::unique_ptr<PosixSerialLink> Open(const std::string& path, PortFailure& failure);
    ~PosixSerialLink() override; // gives the port its old settings back and closes it

    // Returns once the bytes have left the port, or after 100 ms plus 2 ms a byte.
    std::size_t Write(const std::uint8_t* data, std::size_t n) override;
    // Returns after the first byte once 1 ms passes without another, or empty after 50 ms
    // plus 1 ms for each byte asked for.
    std::size_t Read(std::uint8_t* data, std::size_t n) override;
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override;
    // A hang-up or an error of the port, seen by a read or a write; it stays until the port is
    // closed, and reads return nothing at once meanwhile.
    bool DeviceError() const override { return m_deviceError; }
    std::uint64_t NowMs() override;

    PosixSerialLink(const PosixSerialLink&) = delete;
    PosixSerialLink& operator=(const PosixSerialLink&) = delete;

  private:
    PosixSerialLink(int fd, const termios& saved) : m_fd(fd), m_saved(saved) {}
    void WaitUntilSent(std::uint64_t deadline);
    std::size_t ReadBefore(std::uint8_t* data, std::size_t n, std::uint64_t deadline);

    int m_fd;
    termios m_saved;
    bool m_deviceError = false;
};

// The serial ports below `devRoot` ("/dev" outside tests): ttyS* with a UART behind them,
// ttyUSB*, ttyACM* in number order, each once as a path to pass as PORT, followed by the name of
// the serial/by-id link that leads to it (the adapter's USB name), if any.
std::vector<std::string> ListSerialPorts(const std::string& devRoot = "/dev");

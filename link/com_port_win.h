// The serial port over the Win32 communications API: scanning, opening with the
// device's line settings, and the byte link on an open handle.
#pragma once

#include <windows.h>

#include <string>

#include "link/byte_link.h"
#include "link/port_list.h"

// Opens every COM1..COM256 once, exclusively, and lists those that opened.
void ScanComPorts(PortTable& table);

// CreateFileW on a device path: exclusive, existing devices only, synchronous.
HANDLE OpenComDevice(const std::wstring& devicePath);

enum class LineSetup { Ok, ModeRefused, StateRefused };

// 9600,n,8,1 without flow control, input XON/XOFF off, and the port time-outs.
LineSetup ConfigureComPort(HANDLE port);

// The byte link on an open port handle; reads end after the port's read time-out. After a device
// error it moves no more bytes, so that whatever runs on it ends at once; its owner closes the port.
class ComLink : public ByteLink
{
  public:
    explicit ComLink(HANDLE port) : m_port(port) {}
    bool DeviceError() const override { return m_gone; }
    std::size_t Write(const std::uint8_t* data, std::size_t n) override;
    std::size_t Read(std::uint8_t* data, std::size_t n) override;
    // The port's time-outs shortened for this one read (the window never asks for it).
    std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs) override;
    std::uint64_t NowMs() override;

  private:
    std::size_t Moved(BOOL succeeded, DWORD count);

    HANDLE m_port;
    bool m_gone = false;
};

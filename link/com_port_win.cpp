// COM port scanning, opening, line settings and byte transfer.
#include "link/com_port_win.h"

#include "link/port_action.h"
#include "platform/wide_win.h"

void ScanComPorts(PortTable& table)
{
    table.fill(std::u16string());
    for (int n = 1; n <= 256; ++n) {
        const std::u16string path = ComDevicePath(n);
        HANDLE port = OpenComDevice(ToWide(path));
        if (port != INVALID_HANDLE_VALUE) {
            table[static_cast<std::size_t>(n - 1)] = path;
            ::CloseHandle(port);
        }
    }
}

HANDLE OpenComDevice(const std::wstring& devicePath)
{
    return ::CreateFileW(devicePath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

LineSetup ConfigureComPort(HANDLE port)
{
    DCB dcb{};
    if (!::BuildCommDCBW(L"9600,n,8,1", &dcb))
        return LineSetup::ModeRefused;
    dcb.fInX = FALSE;

    COMMTIMEOUTS timeouts{};
    // A one-byte read returns as soon as a byte is there, or empty after 51 ms.
    timeouts.ReadIntervalTimeout = 1;
    timeouts.ReadTotalTimeoutMultiplier = 1;
    timeouts.ReadTotalTimeoutConstant = 50;
    // 2 ms a byte is twice the 9600-baud byte time, so a 133-byte record (139 ms on the
    // line) gets 366 ms; a port that takes nothing gives up after 102 ms for one byte.
    timeouts.WriteTotalTimeoutMultiplier = 2;
    timeouts.WriteTotalTimeoutConstant = 100;
    ::SetCommTimeouts(port, &timeouts);

    if (!::SetCommState(port, &dcb))
        return LineSetup::StateRefused;
    return LineSetup::Ok;
}

std::size_t ComLink::Moved(BOOL succeeded, DWORD count)
{
    if (!succeeded && PortActionAfter(false, ::GetLastError()) == PortAction::Close)
        m_gone = true;
    // A failed transfer counts as one that moved no byte.
    return succeeded ? count : 0;
}

std::size_t ComLink::Write(const std::uint8_t* data, std::size_t n)
{
    if (m_gone)
        return 0;
    DWORD written = 0;
    const BOOL succeeded = ::WriteFile(m_port, data, static_cast<DWORD>(n), &written, nullptr);
    return Moved(succeeded, written);
}

std::size_t ComLink::Read(std::uint8_t* data, std::size_t n)
{
    if (m_gone)
        return 0;
    DWORD got = 0;
    const BOOL succeeded = ::ReadFile(m_port, data, static_cast<DWORD>(n), &got, nullptr);
    // Some drivers (Wine's, on a pseudo-terminal whose other end is gone) report a vanished device as
    // an empty read, like a time-out; the port's error state tells the two apart.
    if (succeeded && got == 0) {
        DWORD errors = 0;
        return Moved(::ClearCommError(m_port, &errors, nullptr), 0);
    }
    return Moved(succeeded, got);
}

std::size_t ComLink::ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs)
{
    COMMTIMEOUTS usual{};
    if (!::GetCommTimeouts(m_port, &usual))
        return Read(data, n);
    COMMTIMEOUTS shorter = usual;
    shorter.ReadTotalTimeoutMultiplier = 0;
    shorter.ReadTotalTimeoutConstant = static_cast<DWORD>(waitMs);
    // No wait at all: MAXDWORD with zero totals returns at once with what has arrived.
    if (waitMs == 0)
        shorter.ReadIntervalTimeout = MAXDWORD;
    ::SetCommTimeouts(m_port, &shorter);
    const std::size_t got = Read(data, n);
    ::SetCommTimeouts(m_port, &usual);
    return got;
}

std::uint64_t ComLink::NowMs()
{
    return ::GetTickCount64();
}

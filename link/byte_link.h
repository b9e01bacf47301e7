// The byte link: the one seam between the protocol exchanges and a serial port.
// The Win32 COM port implements it over the port handle; tests use a scripted fake.
#pragma once

#include <cstddef>
#include <cstdint>

class ByteLink
{
  public:
    virtual ~ByteLink() = default;

    // Writes up to n bytes and returns how many went out.
    virtual std::size_t Write(const std::uint8_t* data, std::size_t n) = 0;

    // Reads up to n bytes; returns 0 when the port's read time-out passed without a byte.
    virtual std::size_t Read(std::uint8_t* data, std::size_t n) = 0;

    // Like Read, but waits at most `waitMs` for the first byte (0: only what has arrived). A link
    // that cannot wait less than its read time-out keeps that time-out; only q4k --fast asks.
    virtual std::size_t ReadWithin(std::uint8_t* data, std::size_t n, std::uint64_t waitMs)
    {
        static_cast<void>(waitMs);
        return Read(data, n);
    }

    // Whether the user asked to stop (Ctrl+C on the console): the exchange then ends as interrupted,
    // not failed. A port never stops on its own.
    virtual bool Stopped() { return false; }

    // Whether the port failed with a device error (the adapter is gone, a hang-up), as against a
    // line that stays silent; its reads may then return nothing without waiting, so a loop that
    // asks again checks this first. A link that cannot tell says no.
    virtual bool DeviceError() const { return false; }

    // Milliseconds on a monotonic clock; bounds the loops that wait for a silent line.
    virtual std::uint64_t NowMs() = 0;
};

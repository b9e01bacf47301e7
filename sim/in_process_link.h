// SimLink: the simulated device behind a ByteLink, in the same process and on simulated time,
// so that unit tests run the program's real exchanges (identification, backup, restore) against
// the device without a serial port and without waiting.
//
// Time model, in milliseconds starting at 0:
//  - Write sends the bytes one after the other, 1 ms each (about 9600 baud); the device sees
//    each byte when it has arrived and schedules its replies from then on.
//  - Replies come out of the device 1 ms a byte, after the delay a fault may add (ack-late,
//    ack-split); a babbling device fills the line with a byte every millisecond.
//  - Read returns the bytes that have arrived (up to n). When none has, it waits for the next
//    one for up to 51 ms, the read time-out of the program's port; a read that gets no byte
//    returns 0 and has advanced the clock by 51 ms.
//  - NowMs is that clock; AdvanceMs lets time pass (a pause of the program).
//
// Usage:
//   SimLink link;                                   // default image, default identification
//   link.GetDevice().AddFault(*ParseFault("ack-late=05:300", error));
//   RunBackup(link, ...);                           // any code that talks through a ByteLink
//   EXPECT_EQ(link.Commands().front(), "$R01\x01");
//   EXPECT_EQ(link.GetDevice().Memory().ReadHex(0x06), ...);
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/byte_link.h"
#include "sim/device.h"
#include "sim/transmitter.h"

inline constexpr std::uint64_t kSimByteMs = 1;
inline constexpr std::uint64_t kSimReadTimeoutMs = 51;

class SimLink : public ByteLink
{
  public:
    SimLink();
    explicit SimLink(Device device);
    // The device reports commands to this object, so it stays where it was made.
    SimLink(const SimLink&) = delete;
    SimLink& operator=(const SimLink&) = delete;

    std::size_t Write(const std::uint8_t* data, std::size_t n) override;
    std::size_t Read(std::uint8_t* data, std::size_t n) override;
    std::uint64_t NowMs() override { return m_nowUs / 1000; }

    void AdvanceMs(std::uint64_t ms) { m_nowUs += ms * 1000; }

    Device& GetDevice() { return m_device; }
    // Every complete command the device received, in order, answered or not.
    const std::vector<std::string>& Commands() const { return m_commands; }

  private:
    void KeepBabbling();

    Device m_device;
    Transmitter m_line{kSimByteMs * 1000};
    std::uint64_t m_nowUs = 0;
    std::vector<std::string> m_commands;
};

// The device's configuration memory: 160 records of 64 data bytes each.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/record_address.h"

using RecordData = std::array<std::uint8_t, kRecordDataBytes>;

class DeviceMemory
{
  public:
    // Every byte zero; DefaultMemory() (default_image.h) gives a realistic one.
    DeviceMemory() = default;

    // The address must be a record address (IsRecordAddress).
    const RecordData& Record(std::uint8_t address) const;
    void SetRecord(std::uint8_t address, const RecordData& data);

    // The 128 characters of a read reply.
    std::string ReadHex(std::uint8_t address) const;

    // Stores the 128 characters of a write. A pair that is not two upper-case hex digits
    // ("XX" marks a spare byte) keeps the byte stored, so that a backup written back changes
    // nothing. Returns false, storing nothing, when the text is not 128 characters long.
    bool WriteHex(std::uint8_t address, std::string_view hex);

    bool operator==(const DeviceMemory&) const = default;

  private:
    std::array<RecordData, kRecordCount> m_records{};
};

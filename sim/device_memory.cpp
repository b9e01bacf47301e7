// Storing and reading records of the device's memory.
#include "sim/device_memory.h"

#include "sim/hex_text.h"

const RecordData& DeviceMemory::Record(std::uint8_t address) const
{
    return m_records[RecordIndex(address)];
}

void DeviceMemory::SetRecord(std::uint8_t address, const RecordData& data)
{
    m_records[RecordIndex(address)] = data;
}

std::string DeviceMemory::ReadHex(std::uint8_t address) const
{
    const RecordData& data = Record(address);
    return HexText(data.data(), data.size());
}

bool DeviceMemory::WriteHex(std::uint8_t address, std::string_view hex)
{
    if (hex.size() != kRecordHexChars)
        return false;
    RecordData& data = m_records[RecordIndex(address)];
    for (std::size_t k = 0; k < kRecordDataBytes; ++k) {
        if (const auto value = ParseHexPair(hex[2 * k], hex[2 * k + 1]))
            data[k] = *value;
    }
    return true;
}

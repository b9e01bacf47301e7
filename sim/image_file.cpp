// Writing and reading memory images.
#include "sim/image_file.h"

#include <vector>

#include "sim/hex_text.h"

std::string ImageRecord(std::uint8_t address, const RecordData& data)
{
    return "$P" + AddressText(address) + HexText(data.data(), data.size()) + '\x01';
}

std::string ImageText(const DeviceMemory& memory)
{
    std::string text;
    text.reserve(kRecordCount * kImageRecordLength);
    for (std::size_t i = 0; i < kRecordCount; ++i) {
        const std::uint8_t address = AddressAt(i);
        text += ImageRecord(address, memory.Record(address));
    }
    return text;
}

bool ApplyImage(DeviceMemory& memory, std::string_view text, std::string& error)
{
    if (text.size() % kImageRecordLength != 0) {
        error = "length " + std::to_string(text.size()) + " is not a multiple of 133";
        return false;
    }
    // Check the whole image first, so that a bad one leaves memory as it was.
    std::vector<std::pair<std::uint8_t, std::string_view>> records;
    for (std::size_t at = 0; at < text.size(); at += kImageRecordLength) {
        const std::string_view record = text.substr(at, kImageRecordLength);
        const auto address = ParseAddress(record.substr(2, 2));
        if (record.substr(0, 2) != "$P" || !address || record.back() != '\x01') {
            error = "no valid record at offset " + std::to_string(at);
            return false;
        }
        records.emplace_back(*address, record.substr(4, kRecordHexChars));
    }
    for (const auto& [address, hex] : records)
        memory.WriteHex(address, hex);
    return true;
}

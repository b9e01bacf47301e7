// Memory images on disk. An image has the layout of a configuration file: 133-byte records
// "$P" + address + 128 hex characters + byte 01, concatenated, in any order. A backup file is
// therefore a valid image, and a dumped image can be restored into a device as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/device_memory.h"

inline constexpr std::size_t kImageRecordLength = 133;

// One record of an image, which is also the write command for that record.
std::string ImageRecord(std::uint8_t address, const RecordData& data);

// All 160 records, in the order 01..7F, BC, 80..9F.
std::string ImageText(const DeviceMemory& memory);

// Stores every record of the image into memory; records missing from it keep what memory
// held, and a pair that is not two hex digits ("XX") keeps the byte stored. When the text is
// not a valid image, nothing is stored, false is returned and error says what is wrong.
bool ApplyImage(DeviceMemory& memory, std::string_view text, std::string& error);

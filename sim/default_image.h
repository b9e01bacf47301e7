// The memory a simulated device starts with: a realistic configuration whose main records
// form blocks (lengths, keep-whole markers F1-FE, left-out FF heads, an empty F0 head), whose
// records 06-09 hold the FMS settings, whose BC record announces the TETRA interface (A1)
// and whose interface record 80 holds the interface settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/device_memory.h"

// A main record that starts a block, with the marker in its data byte 0.
struct BlockHead {
    std::uint8_t address;
    std::uint8_t marker;
};

// The block heads of the default image, in address order; the blocks cover 01..7F exactly.
const std::vector<BlockHead>& DefaultBlockHeads();

// The FMS settings of the default image, as the configuration editor shows them.
inline constexpr bool kDefaultIsMaster = true;
inline constexpr std::string_view kDefaultOwnId = "6F1A2B3C";
inline constexpr std::array<std::string_view, 10> kDefaultQuickIds = {
    "6F1A2B01", "6F1A2B02", "6F1A2C10", "6F1A2C20", "6F1A3D01",
    "6F1A3D02", "6F1A4E11", "6F1A4E12", "6F1B0001", "6F1B0002",
};
// Latin-1 bytes; the last name holds an u-umlaut (FC).
inline constexpr std::array<std::string_view, 10> kDefaultNames = {
    "RTW 1", "RTW 2", "NEF", "LF 20", "DLK 23", "ELW 1", "KdoW", "MTW", "GW-L", "Wache S\xFC\x64",
};
// Data byte 1 of BC: TETRA interface present, automatic transfer off.
inline constexpr std::uint8_t kDefaultInterfaceFlag = 0xA1;
// Data byte 27 of record 80: the character '1', read in the groups at the first start.
inline constexpr std::uint8_t kDefaultReadGroups = 0x31;

DeviceMemory DefaultMemory();

// The default memory as an image file: all 160 records, in the order 01..7F, BC, 80..9F.
std::string DefaultImageFile();

// The record addresses of the device's memory: main records 01-7F, the BC record and the
// interface records 80-9F. An address is the byte its two hex digits stand for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::size_t kRecordCount = 160;
inline constexpr std::size_t kRecordDataBytes = 64;
inline constexpr std::size_t kRecordHexChars = 2 * kRecordDataBytes;
inline constexpr std::uint8_t kFirstMainAddress = 0x01;
inline constexpr std::uint8_t kLastMainAddress = 0x7F;
inline constexpr std::uint8_t kBcAddress = 0xBC;
inline constexpr std::uint8_t kFirstInterfaceAddress = 0x80;
inline constexpr std::uint8_t kLastInterfaceAddress = 0x9F;

bool IsRecordAddress(std::uint8_t address);

// Position in memory and in image files: 01..7F, then BC, then 80..9F.
// Only defined for record addresses.
std::size_t RecordIndex(std::uint8_t address);
std::uint8_t AddressAt(std::size_t index);

// Two upper-case hex digits, as the address stands in commands and replies.
std::string AddressText(std::uint8_t address);

// The record address two characters name; nothing for anything else ("00", "A0", "bc", ...).
std::optional<std::uint8_t> ParseAddress(std::string_view text);

// The configuration file's rules: the 133-byte record ("$P" + address + 128 data characters + 0x01),
// the size caps, the record and file checks, splitting, and the "$PBC" interface marker.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t CONFIG_RECORD_LEN = 133;

// The largest configuration file taken (a real one has at most 160 records, 21,280 bytes).
inline constexpr std::size_t kMaxConfigFileBytes = 65536;

// A record's 133 bytes exactly as they stand on disk and go over the wire.
using ConfigRecord = std::string;

// Where the parts of a record stand.
inline constexpr std::size_t kRecordAddressPos = 2; // two upper-case hex digits
inline constexpr std::size_t kRecordDataPos = 4;    // data byte k at 4+2k (high) and 5+2k (low)
inline constexpr std::size_t kDataBytesPerRecord = 64;
inline constexpr std::size_t kRecordTerminatorPos = 132;
inline constexpr char kRecordTerminator = '\x01';
inline constexpr std::size_t kInterfaceMarkerPos = 6; // "$PBC" data byte 1: 'A' then '1' or '2'

// How much of a file its readers take: one record more than the largest configuration is enough
// to refuse a larger file, whether its bytes or its complete records are counted.
inline constexpr std::size_t kConfigFileReadCap = kMaxConfigFileBytes + CONFIG_RECORD_LEN;

// Splits file bytes into complete 133-byte records; an incomplete piece at the end is ignored.
std::vector<std::string> SplitRecords(std::string_view fileBytes);

// Whether the "$PBC" record says the device holds an interface configuration ('A1' or 'A2'
// in data byte 1); the backup and the restore switch to the interface records on it, and the
// editor finds its TETRA settings by it.
bool AnnouncesInterfaceRecords(std::string_view record);

// Whether the bytes are one configuration record: 133 bytes, "$P", two upper-case hex digits,
// 128 characters each a hex digit of either case or "X", and 0x01 at position 132. The backup
// checks every record it writes with it, so it never saves one that the restore refuses.
bool IsConfigurationRecord(std::string_view record);

// Whether the file is at most kMaxConfigFileBytes long, holds at least one record, and is nothing
// but configuration records (above), perhaps followed by line ends. A file cut short while it was
// copied must never pass for a smaller configuration.
bool IsConfigurationFile(std::string_view fileBytes);

// Why a file fails the check above, for a front end that names the fault.
struct FileVerdict {
    enum class Fault { None, TooLarge, NoRecords, BadRecord };
    Fault fault = Fault::None;
    std::size_t record = 0; // with BadRecord: the first bad one, counted from 1 (a cut-off one too)
};
FileVerdict JudgeConfigurationFile(std::string_view fileBytes);

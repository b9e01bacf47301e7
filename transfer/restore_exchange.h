// The restore exchange: a configuration file to the device, one acknowledged write per record.
#pragma once

#include <string_view>

#include "link/byte_link.h"
#include "transfer/transfer_view.h"

// The restore of the given file bytes once the port is open (the caller reads the file and makes
// the 200 ms pause): suitability check, status, progress, drain, one 133-byte write per record,
// the acknowledgement wait, failure box, final status, and the end command only after full
// success. Returns true on full success.
bool RunRestore(ByteLink& link, TransferView& view, std::string_view fileBytes);

// Whether the bytes are one configuration record: 133 bytes, "$P", two upper-case hex digits,
// 128 characters each a hex digit of either case or "X", and 0x01 at position 132. The backup
// checks every record it writes with it, so it never saves one that the restore refuses.
bool IsConfigurationRecord(std::string_view record);

// Whether the file is at most kMaxConfigFileBytes long and every complete 133-byte piece is a
// configuration record (above).
// An incomplete piece at the end is not looked at; an empty file passes.
bool IsConfigurationFile(std::string_view fileBytes);

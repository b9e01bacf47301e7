// The restore exchange: a configuration file to the device, one acknowledged write per record.
#pragma once

#include <string_view>

#include "link/byte_link.h"
#include "link/reply_reading.h"
#include "transfer/transfer_view.h"

// How long the front ends pause between reading the restore's file and touching the port.
inline constexpr unsigned kPauseBeforeRestoreMs = 200;

// The restore of the given file bytes once the port is open (the caller reads the file, capped at
// kConfigFileReadCap, and makes the pause above): suitability check, status, progress, drain, one 133-byte write per
// record, the acknowledgement wait, failure box, final status, and the end command only after full success. Returns
// true on full success.
bool RunRestore(ByteLink& link, TransferView& view, std::string_view fileBytes,
                ReplyReading reading = ReplyReading::Silence);

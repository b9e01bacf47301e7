// The backup exchange: device records to a configuration file, reported through the transfer view.
#pragma once

#include "link/byte_link.h"
#include "link/reply_reading.h"
#include "transfer/record_sink.h"
#include "transfer/transfer_texts.h"
#include "transfer/transfer_view.h"

// The whole backup once the destination exists and the port is open: status texts, progress,
// drain, main / "$PBC" / interface phases, every "Fehler NN" box (stop icon), the final status.
// On a sink write failure: the sink's error text in a box captioned "Q4_Backup" with the
// exclamation icon, the failure status, and nothing more is read. Returns true on full success.
// A reading that is no backup (a comparison with a file) passes its own status texts.
bool RunBackup(ByteLink& link, TransferView& view, RecordSink& file, const ReadingTexts& texts = kBackupTexts,
               ReplyReading reading = ReplyReading::Silence);

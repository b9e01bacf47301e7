// The backup exchange: device records to a configuration file, reported through the transfer view.
#pragma once

#include "link/byte_link.h"
#include "link/reply_reading.h"
#include "transfer/record_sink.h"
#include "transfer/transfer_texts.h"
#include "transfer/transfer_view.h"

// The whole backup once the destination exists and the port is open: phases and records, drain,
// main / "$PBC" / interface phases, every "Fehler NN" failure (stop icon), the sink's commit and
// the final status, which is the done text only once the commit succeeded. On a failed sink write
// or commit: the sink's error text as a file error, the failure status, and nothing more is read.
// Returns true on full success. A reading that is no backup (a comparison with a file) passes its
// own status texts.
bool RunBackup(ByteLink& link, TransferView& view, RecordSink& file, const ReadingTexts& texts = kBackupTexts,
               ReplyReading reading = ReplyReading::Silence);

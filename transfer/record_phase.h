// How the exchanges start a phase of records on the transfer view.
#pragma once

#include <cstddef>

#include "transfer/transfer_view.h"

// Shows the phase's running status and a fresh progress bar that each record moves one step.
void StartRecordPhase(TransferView& view, const char16_t* status, std::size_t records);

// The start of a phase of records: status, range, step, position.
#include "transfer/record_phase.h"

#include <cstdint>

namespace
{
// Each record moves the bar this far.
constexpr int kProgressStep = 3;
} // namespace

void StartRecordPhase(TransferView& view, const char16_t* status, std::size_t records)
{
    view.SetStatus(status, StatusKind::Running);
    view.SetProgressRange(static_cast<std::uint16_t>(records * kProgressStep));
    view.SetProgressStep(kProgressStep);
    view.SetProgressPos(0);
}

// Repeated identification tries with growing patience, and waiting for a device to appear.
#include "link/patient_identification.h"

#include <algorithm>

namespace
{

IdentDisplay Try(ByteLink& link, std::uint64_t patienceMs, const std::function<bool()>& stopped)
{
    return EvaluateReply(QueryIdentification(link, patienceMs, stopped));
}

// Keeps the more telling of two results: identified before partial before none.
void KeepBest(IdentDisplay& best, const IdentDisplay& candidate)
{
    if (candidate.outcome == IdentOutcome::Identified ||
        (candidate.outcome == IdentOutcome::Partial && best.outcome == IdentOutcome::NoDevice))
        best = candidate;
}

} // namespace

IdentDisplay IdentifyPatiently(ByteLink& link, std::uint64_t waitMs, const std::function<bool()>& stopped)
{
    const std::uint64_t start = link.NowMs();
    IdentDisplay best = EvaluateReply(u"");
    for (const std::uint64_t patienceMs : kIdentifyFirstByteMs) {
        KeepBest(best, Try(link, patienceMs, stopped));
        if (best.outcome == IdentOutcome::Identified || (stopped && stopped()))
            return best;
    }
    while (link.NowMs() - start < waitMs) {
        const std::uint64_t left = waitMs - (link.NowMs() - start);
        KeepBest(best, Try(link, std::min(kIdentifyRetryPeriodMs, left), stopped));
        if (best.outcome == IdentOutcome::Identified || (stopped && stopped()))
            return best;
    }
    return best;
}

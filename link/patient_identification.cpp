// Repeated identification tries with growing patience, and waiting for a device to appear.
#include "link/patient_identification.h"

#include <algorithm>

namespace
{

Identification Try(ByteLink& link, std::uint64_t patienceMs, const std::function<bool()>& stopped,
                   const std::function<void(const Identification&)>& tried)
{
    Identification ident = EvaluateReply(QueryIdentification(link, patienceMs, stopped));
    if (tried)
        tried(ident);
    return ident;
}

// Keeps the more telling of two results: identified before partial before none.
void KeepBest(Identification& best, const Identification& candidate)
{
    if (candidate.outcome == IdentOutcome::Identified ||
        (candidate.outcome == IdentOutcome::Partial && best.outcome == IdentOutcome::NoDevice))
        best = candidate;
}

} // namespace

Identification IdentifyPatiently(ByteLink& link, std::uint64_t waitMs, const std::function<bool()>& stopped,
                                 const std::function<void(const Identification&)>& tried)
{
    const std::uint64_t start = link.NowMs();
    Identification best;
    for (const std::uint64_t patienceMs : kIdentifyFirstByteMs) {
        KeepBest(best, Try(link, patienceMs, stopped, tried));
        if (best.outcome == IdentOutcome::Identified || (stopped && stopped()))
            return best;
    }
    while (link.NowMs() - start < waitMs) {
        const std::uint64_t left = waitMs - (link.NowMs() - start);
        KeepBest(best, Try(link, std::min(kIdentifyRetryPeriodMs, left), stopped, tried));
        if (best.outcome == IdentOutcome::Identified || (stopped && stopped()))
            return best;
    }
    return best;
}

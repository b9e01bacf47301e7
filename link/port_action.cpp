// The port's fate after a read or write, and the identification tick's first step.
#include "link/port_action.h"

namespace
{
// The system's codes of a serial time-out (ERROR_SEM_TIMEOUT, ERROR_COUNTER_TIMEOUT): some drivers
// report an expired time-out as a failure, yet the device is still there.
constexpr std::uint32_t kTimeoutErrors[] = {121, 1121};
} // namespace

PortAction PortActionAfter(bool succeeded, std::uint32_t systemError)
{
    if (succeeded)
        return PortAction::Keep;
    for (const std::uint32_t timeout : kTimeoutErrors) {
        if (systemError == timeout)
            return PortAction::Keep;
    }
    return PortAction::Close;
}

TickStep NextTickStep(const TickSituation& situation)
{
    if (!situation.idle)
        return TickStep::Skip;
    if (situation.portOpen)
        return TickStep::Query;
    if (!situation.portChosen)
        return TickStep::Scan;
    return situation.portVanished ? TickStep::OpenSilently : TickStep::Open;
}

// The port's fate after a read or write result, and the identification tick's first step.
#include <gtest/gtest.h>

#include "link/port_action.h"

TEST(PortAction, TimeOutKeepsThePortDeviceErrorClosesIt)
{
    const struct {
        bool succeeded;
        std::uint32_t error;
        PortAction action;
    } cases[] = {
        {true, 0, PortAction::Keep},      // a read that timed out without a byte
        {false, 121, PortAction::Keep},   // ERROR_SEM_TIMEOUT
        {false, 1121, PortAction::Keep},  // ERROR_COUNTER_TIMEOUT
        {false, 21, PortAction::Close},   // ERROR_NOT_READY: Wine, pseudo-terminal without its other end
        {false, 5, PortAction::Close},    // ERROR_ACCESS_DENIED: USB adapter pulled
        {false, 1167, PortAction::Close}, // ERROR_DEVICE_NOT_CONNECTED
    };
    for (const auto& c : cases)
        EXPECT_EQ(PortActionAfter(c.succeeded, c.error), c.action) << c.succeeded << " " << c.error;
}

TEST(PortAction, TickLooksForAMissingPortWithoutTellingUnlessTheUserChoseIt)
{
    const struct {
        TickSituation situation; // idle, chosen, open, vanished
        TickStep step;
    } cases[] = {
        {{false, true, true, false}, TickStep::Skip},        {{false, false, false, true}, TickStep::Skip},
        {{true, true, true, false}, TickStep::Query},        {{true, false, false, false}, TickStep::Scan},
        {{true, false, false, true}, TickStep::Scan},        {{true, true, false, false}, TickStep::Open},
        {{true, true, false, true}, TickStep::OpenSilently},
    };
    for (const auto& c : cases) {
        const TickSituation& s = c.situation;
        EXPECT_EQ(NextTickStep(s), c.step) << s.idle << s.portChosen << s.portOpen << s.portVanished;
    }
}

// What a front end does with its serial port after a read or write, and what the window's
// identification tick does while the port is closed: the decisions, without the system calls.
#pragma once

#include <cstdint>

// After a read or write: a time-out keeps the port; a device error (the adapter is gone) closes
// it, since a handle to a vanished device never works again, even when the device comes back.
enum class PortAction { Keep, Close };

// `succeeded` as the system call reported; `systemError` its error code when it failed.
PortAction PortActionAfter(bool succeeded, std::uint32_t systemError);

// What the identification tick does before it queries.
enum class TickStep {
    Skip,         // a transfer or the port list has the port
    Scan,         // no port listed yet: look for ports again, silently
    Open,         // open the chosen port; a failure is told, as the user chose that port
    OpenSilently, // the program closed the port as it vanished: try again without a message
    Query,        // the port is open
};

struct TickSituation {
    bool idle = true;        // no transfer, the port list closed
    bool portChosen = false; // a current port exists
    bool portOpen = false;
    bool portVanished = false; // the program itself closed the port after a device error
};

// Runs once a tick (once a second), which bounds how often a missing port is looked for.
TickStep NextTickStep(const TickSituation& situation);

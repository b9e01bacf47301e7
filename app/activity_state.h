// The activity state: the only coordination between identification, transfers,
// the exit and the editor.
#pragma once

#include <cstdint>

enum ActivityState : std::uint8_t {
    STATE_IDLE = 0,     // nothing running
    STATE_BACKUP = 1,   // device to file running
    STATE_RESTORE = 2,  // file to device running
    STATE_PORTLIST = 3, // the port list is dropped down and the port closed
};

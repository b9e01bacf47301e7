// Why a serial port could not be opened, so that a front end can say it in its own words.
#pragma once

#include <string>

struct PortFailure {
    enum class Kind {
        Missing,   // nothing by that name
        NotSerial, // there, but no serial port
        Busy,      // another program uses it
        Other,     // any other refusal; `reason` says which
    };
    Kind kind = Kind::Other;
    std::string reason; // the system's text, for Other
};

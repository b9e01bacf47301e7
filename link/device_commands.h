// The device's identification query and end command, and sending them.
#pragma once

#include <string_view>

#include "link/byte_link.h"

inline constexpr std::string_view kQueryCommand{"$PROGSTART\x01", 11};
inline constexpr std::string_view kEndCommand{"$PROGENDE\x01", 10};

// Writes the end command one byte per write; reads nothing.
void SendEndCommand(ByteLink& link);

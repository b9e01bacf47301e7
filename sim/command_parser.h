// Cutting the received byte stream into commands, and what a command asks for.
// A command runs from '$' up to and including the byte 01; bytes outside commands are ignored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr std::string_view kQuery{"$PROGSTART\x01", 11};
inline constexpr std::string_view kEnd{"$PROGENDE\x01", 10};

// The longest command is a write of 133 bytes; anything longer without its end is line garbage.
inline constexpr std::size_t kMaxCommandLength = 160;

class CommandAssembler
{
  public:
    // Takes one received byte and returns the whole command when this byte ends one.
    // A '$' always starts a new command, so a command cut off by noise does not swallow the next.
    std::optional<std::string> Feed(char byte);

  private:
    std::string m_pending;
    bool m_inCommand = false;
};

enum class CommandKind { Query, End, Read, Write, Unknown };

struct Command {
    CommandKind kind = CommandKind::Unknown;
    std::uint8_t address = 0; // Read and Write
    std::string_view data;    // Write: the 128 data characters, pointing into the command
};

// "$R" + address + 01 reads, "$P" + address + 128 characters + 01 writes. Anything else,
// a read or write of an address that is no record address included, is Unknown.
Command ParseCommand(std::string_view command);

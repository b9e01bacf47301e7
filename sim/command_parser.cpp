// Command framing and recognition.
#include "sim/command_parser.h"

#include <utility>

#include "sim/record_address.h"

namespace
{
constexpr std::size_t kReadLength = 5;
constexpr std::size_t kWriteLength = 4 + kRecordHexChars + 1;
} // namespace

std::optional<std::string> CommandAssembler::Feed(char byte)
{
    if (byte == '$') {
        m_pending.assign(1, byte);
        m_inCommand = true;
        return std::nullopt;
    }
    if (!m_inCommand)
        return std::nullopt;
    m_pending.push_back(byte);
    if (byte == '\x01') {
        m_inCommand = false;
        return std::exchange(m_pending, {});
    }
    if (m_pending.size() >= kMaxCommandLength) {
        m_inCommand = false;
        m_pending.clear();
    }
    return std::nullopt;
}

Command ParseCommand(std::string_view command)
{
    Command parsed;
    if (command == kQuery) {
        parsed.kind = CommandKind::Query;
        return parsed;
    }
    if (command == kEnd) {
        parsed.kind = CommandKind::End;
        return parsed;
    }
    if (command.size() < kReadLength || command.back() != '\x01')
        return parsed;
    const auto address = ParseAddress(command.substr(2, 2));
    if (!address)
        return parsed;
    if (command.size() == kReadLength && command.substr(0, 2) == "$R") {
        parsed.kind = CommandKind::Read;
        parsed.address = *address;
    } else if (command.size() == kWriteLength && command.substr(0, 2) == "$P") {
        parsed.kind = CommandKind::Write;
        parsed.address = *address;
        parsed.data = command.substr(4, kRecordHexChars);
    }
    return parsed;
}

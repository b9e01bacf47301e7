// Fuzzes the simulator's command framing and recognition with whatever bytes a line may carry.
#include <string>

#include "sim/command_parser.h"
#include "tests/fuzz/fuzz_support.h"

namespace
{

void CheckParsed(std::string_view command)
{
    const Command parsed = ParseCommand(command);
    switch (parsed.kind) {
    case CommandKind::Query:
        FUZZ_CHECK(command == kQuery);
        break;
    case CommandKind::End:
        FUZZ_CHECK(command == kEnd);
        break;
    case CommandKind::Read:
        FUZZ_CHECK(command.size() == 5 && command.substr(0, 2) == "$R");
        break;
    case CommandKind::Write:
        FUZZ_CHECK(command.size() == 133 && command.substr(0, 2) == "$P");
        FUZZ_CHECK(parsed.data.size() == 128 && parsed.data.data() == command.data() + 4);
        break;
    case CommandKind::Unknown:
        break;
    }
}

} // namespace

void FuzzSimCommands(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckParsed(bytes);

    CommandAssembler assembler;
    for (char byte : bytes) {
        const std::optional<std::string> command = assembler.Feed(byte);
        if (!command)
            continue;
        FUZZ_CHECK(command->size() >= 2 && command->size() <= kMaxCommandLength);
        FUZZ_CHECK(command->front() == '$' && command->back() == '\x01');
        FUZZ_CHECK(command->find('$', 1) == std::string::npos);
        CheckParsed(*command);
    }
}

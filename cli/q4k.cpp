// Parsing the command line, the help, and the dispatch to the commands.
#include "cli/q4k.h"

#include <atomic>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "resources/version.h"

namespace
{

// A signal or console handler sets the flag: it must be free of locks.
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<bool> stopRequested{false};

} // namespace

void RequestStop()
{
    stopRequested = true;
}

bool StopRequested()
{
    return stopRequested;
}

void WithdrawStop()
{
    stopRequested = false;
}

int RunQ4k(const std::vector<std::string>& words, Platform& platform, std::ostream& out, std::ostream& err)
{
    const ParsedArguments parsed = ParseArguments(words);
    if (parsed.arguments.help) {
        out << HelpText();
        return kExitDone;
    }
    if (parsed.arguments.version) {
        out << "q4k " Q4_VERSION_TEXT "\n";
        return kExitDone;
    }
    if (!parsed.error.empty()) {
        err << "q4k: " << parsed.error << "\n"
            << "Hilfe: q4k --help\n";
        return kExitUsage;
    }
    // The parsing accepted the command, so the table holds it.
    Console console{platform, out, err};
    return FindCommand(parsed.arguments.command)->run(parsed.arguments, console);
}

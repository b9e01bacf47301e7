// Parsing the command line, the help, and the dispatch to the commands.
#include "cli/q4k.h"

#include <atomic>
#include <map>

#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "resources/version.h"

std::atomic<bool> g_stopRequested{false};

void RequestStop()
{
    g_stopRequested = true;
}

bool StopRequested()
{
    return g_stopRequested;
}

int RunQ4k(const std::vector<std::string>& words, Platform& platform, std::ostream& out, std::ostream& err)
{
    const ParsedArguments parsed = ParseArguments(words);
    if (parsed.arguments.help) {
        out << kHelpText;
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
    using Command = int (*)(const Arguments&, Console&);
    static const std::map<std::string, Command> commands = {
        {"ports", RunPorts},
        {"identify", RunIdentify},
        {"backup", RunBackupCommand},
        {"restore", RunRestoreCommand},
        {"verify", RunVerify},
        {"show", RunShow},
        {"set", RunSet},
        {"diff", RunDiff},
        {"check", RunCheck},
    };
    Console console{platform, out, err};
    return commands.at(parsed.arguments.command)(parsed.arguments, console);
}

// Parsing the command line, the help, and the dispatch to the commands.
#include "cli/q4k.h"

#include <cstdlib>

#include "cli/command_table.h"
#include "cli/commands.h"
#include "cli/exit_codes.h"
#include "cli/help_text.h"
#include "resources/version.h"

namespace
{

constexpr int kDefaultColumns = 80;

} // namespace

int Platform::ErrorColumns()
{
    const char* columns = std::getenv("COLUMNS");
    const int number = columns ? std::atoi(columns) : 0;
    return number > 0 ? number : kDefaultColumns;
}

int ReportInterrupted(Console& c, const char* note)
{
    c.err << "abgebrochen\n" << note;
    return kExitInterrupted;
}

int ReportUsageError(Console& c, const std::string& text)
{
    c.err << "q4k: " << text << "\n"
          << "Hilfe: q4k --help\n";
    return kExitUsage;
}

namespace
{

int Dispatch(const ParsedArguments& parsed, Console& c)
{
    const Arguments& a = parsed.arguments;
    // The parsing accepted the command, so the table holds it.
    const CommandSpec* command = a.command.empty() ? nullptr : FindCommand(a.command);
    if (a.help && parsed.error.empty()) {
        c.out << (command ? CommandHelpText(*command) : HelpText());
        return kExitDone;
    }
    if (a.version) {
        c.out << "q4k " Q4_VERSION_TEXT "\n";
        return kExitDone;
    }
    if (!parsed.error.empty())
        return ReportUsageError(c, parsed.error);
    return command->run(a, c);
}

} // namespace

int RunQ4k(const std::vector<std::string>& words, Platform& platform, std::ostream& out, std::ostream& err)
{
    const char* port = std::getenv("Q4K_PORT");
    const ParsedArguments parsed = ParseArguments(words, port ? port : "");
    Console console{platform, out, err};
    const int code = Dispatch(parsed, console);
    // A result that did not arrive must not look like one that did (a full disk, a closed pipe).
    if (!out.flush()) {
        err << "q4k: Schreiben auf die Standardausgabe fehlgeschlagen.\n";
        return kExitFile;
    }
    return code;
}

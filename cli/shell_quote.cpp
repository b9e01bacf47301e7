// Quoting for the command lines q4k prints.
#include "cli/shell_quote.h"

#include <cctype>
#include <string_view>

namespace
{

// Characters that no shell of the syntax gives a meaning of their own; all others are quoted.
// Bytes beyond ASCII are quoted too: that costs nothing and spares them a shell's code page rules.
bool Plain(char c, ShellSyntax syntax)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80)
        return false;
    if (std::isalnum(byte) != 0 || std::string_view("_-+./:").find(c) != std::string_view::npos)
        return true;
    return syntax == ShellSyntax::Posix ? std::string_view("@%,=").find(c) != std::string_view::npos : c == '\\';
}

// Inside double quotes the C runtime takes backslashes literally unless they come before a quote.
std::string DoubleQuoted(const std::string& word)
{
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    return quoted.append(2 * backslashes, '\\') + "\"";
}

std::string SingleQuoted(const std::string& word)
{
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

} // namespace

std::string QuoteWord(const std::string& word, ShellSyntax syntax)
{
    bool plain = !word.empty();
    for (char c : word)
        plain = plain && Plain(c, syntax);
    if (plain)
        return word;
    return syntax == ShellSyntax::Posix ? SingleQuoted(word) : DoubleQuoted(word);
}

std::string CommandLine(const std::string& program, const std::vector<std::string>& arguments, ShellSyntax syntax)
{
    std::string line = QuoteWord(program, syntax);
    for (const std::string& argument : arguments)
        line += " " + QuoteWord(argument, syntax);
    return line;
}

std::string PosixProgram(const std::string& argv0, const std::string& directory)
{
    if (argv0.empty())
        return "q4k";
    if (argv0.front() == '/' || argv0.find('/') == std::string::npos || directory.empty())
        return argv0;
    std::string relative = argv0;
    while (relative.compare(0, 2, "./") == 0)
        relative.erase(0, 2);
    return directory + (directory.back() == '/' ? "" : "/") + relative;
}

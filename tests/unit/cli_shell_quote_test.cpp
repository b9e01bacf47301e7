// The quoting of the command lines q4k prints, for both shells, and the program's name as started.
#include <gtest/gtest.h>

#include "cli/shell_quote.h"

TEST(ShellQuote, WordsAreQuotedWhereTheShellWouldReadThemOtherwise)
{
    struct Case {
        const char* word;
        const char* posix;
        const char* windows;
    };
    const Case cases[] = {
        {"archiv/12AB34CD_1.q4k", "archiv/12AB34CD_1.q4k", "archiv/12AB34CD_1.q4k"},
        {"", "''", "\"\""},
        {"mein archiv/a.q4k", "'mein archiv/a.q4k'", "\"mein archiv/a.q4k\""},
        {"it's", "'it'\\''s'", "\"it's\""},
        {"a$b`c&y|z;(1)", "'a$b`c&y|z;(1)'", "\"a$b`c&y|z;(1)\""},
        {"Bär", "'Bär'", "\"Bär\""},
        {"C:\\Archiv\\a.q4k", "'C:\\Archiv\\a.q4k'", "C:\\Archiv\\a.q4k"},
        {"C:\\Mein Archiv\\", "'C:\\Mein Archiv\\'", "\"C:\\Mein Archiv\\\\\""},
        {"say \\\"hi\"", "'say \\\"hi\"'", "\"say \\\\\\\"hi\\\"\""},
        {"a=b,c@d%e", "a=b,c@d%e", "\"a=b,c@d%e\""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuoteWord(c.word, ShellSyntax::Posix), c.posix) << c.word;
        EXPECT_EQ(QuoteWord(c.word, ShellSyntax::Windows), c.windows) << c.word;
    }
    EXPECT_EQ(CommandLine("q4k", {"restore", "COM3", "a b.q4k"}, ShellSyntax::Windows), "q4k restore COM3 \"a b.q4k\"");
}

TEST(ShellQuote, ARelativeProgramPathIsJoinedToTheStartingDirectory)
{
    const std::pair<const char*, const char*> cases[] = {
        {"q4k", "q4k"},
        {"/opt/q4k/bin/q4k", "/opt/q4k/bin/q4k"},
        {"./q4k", "/home/t/q4k"},
        {"././build/q4k", "/home/t/build/q4k"},
        {"../bin/q4k", "/home/t/../bin/q4k"},
        {"", "q4k"},
    };
    for (const auto& [argv0, program] : cases)
        EXPECT_EQ(PosixProgram(argv0, "/home/t"), program) << argv0;
}

// The q4k command line: what each command takes, and the usage errors.
#include <gtest/gtest.h>

#include "cli/arguments.h"

TEST(CliArguments, GoodLinesParse)
{
    const std::vector<std::vector<std::string>> lines = {
        {"ports"},
        {"identify", "/dev/ttyUSB0"},
        {"backup", "COM3", "a.q4k", "--trace", "t.log", "-q"},
        {"-q", "restore", "--trace=t.log", "COM3", "a.q4k"},
        {"verify", "COM3", "a.q4k"},
        {"show", "a.q4k", "--json"},
        {"set", "a.q4k", "-o", "b.q4k", "--role", "slave", "--quick", "3=12345678", "--name", "1=KTW",
         "--append-own-id"},
        {"diff", "a.q4k", "b.q4k"},
        {"check", "a.q4k"},
        {"set", "a.q4k", "--identity-from", "wagen.q4k", "-o", "b.q4k", "--own-id", "12AB34CD"},
        {"rollout", "COM3", "vorlage.q4k", "--archive", "archiv", "--loop", "--fast"},
        {"rollout", "COM3", "vorlage.q4k", "--archive=archiv", "--dry-run"},
        {"restore", "COM3", "a.q4k", "--fast"},
        {"--help"},
        {"backup", "--help"},
        {"--version"},
    };
    for (const auto& line : lines)
        EXPECT_EQ(ParseArguments(line).error, "") << line[0];
}

TEST(CliArguments, VersionAloneIsNoCommand)
{
    const ParsedArguments parsed = ParseArguments({"--version"});
    EXPECT_TRUE(parsed.arguments.version);
    EXPECT_EQ(parsed.arguments.command, "");
}

TEST(CliArguments, UsageErrors)
{
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"frobnicate"},
        {"backup", "COM3"},
        {"show", "a.q4k", "b.q4k"},
        {"show", "a.q4k", "--trace", "t.log"},
        {"backup", "COM3", "a.q4k", "--json"},
        {"set", "a.q4k"},
        {"set", "a.q4k", "-o", "b", "--role", "boss"},
        {"set", "a.q4k", "-o", "b", "--quick", "10=12345678"},
        {"set", "a.q4k", "-o", "b", "--auto-transfer", "yes"},
        {"show", "a.q4k", "--role", "master"},
        {"backup", "COM3", "a.q4k", "--trace"},
        {"check", "a.q4k", "--bogus"},
        {"check", "a.q4k", "--json=1"},
        {"rollout", "COM3", "vorlage.q4k"},
        {"backup", "COM3", "a.q4k", "--loop"},
        {"set", "a.q4k", "-o", "b", "--fast"},
        {"rollout", "COM3", "vorlage.q4k", "--archive", "a", "--identity-from", "w.q4k"},
    };
    for (const auto& line : lines)
        EXPECT_NE(ParseArguments(line).error, "") << (line.empty() ? "(empty)" : line[0]);
}

TEST(CliArguments, ValuesAreKept)
{
    const Arguments a = ParseArguments({"set", "in.q4k", "--output=out.q4k", "--own-id", "12AB34CD", "--quick",
                                        "0=11111111", "--quick", "9=99999999", "--name=2=NEF", "--read-groups", "off"})
                            .arguments;
    EXPECT_EQ(a.operands, std::vector<std::string>{"in.q4k"});
    EXPECT_EQ(a.output, "out.q4k");
    EXPECT_EQ(a.ownId, "12AB34CD");
    ASSERT_EQ(a.quickIds.size(), 2u);
    EXPECT_EQ(a.quickIds[1], (std::pair<int, std::string>{9, "99999999"}));
    ASSERT_EQ(a.names.size(), 1u);
    EXPECT_EQ(a.names[0], (std::pair<int, std::string>{2, "NEF"}));
    EXPECT_EQ(a.readGroups, "off");
    EXPECT_FALSE(a.autoTransfer);
}

TEST(CliArguments, WordsAfterDoubleDashAreOperands)
{
    const Arguments a = ParseArguments({"check", "--", "-odd.q4k"}).arguments;
    EXPECT_EQ(a.operands, std::vector<std::string>{"-odd.q4k"});
}

TEST(CliArguments, HelpForOneCommandAndThePortFromTheEnvironment)
{
    const Arguments help = ParseArguments({"help", "backup"}).arguments;
    EXPECT_TRUE(help.help);
    EXPECT_EQ(help.command, "backup");
    const struct {
        std::vector<std::string> line;
        std::vector<std::string> operands;
    } cases[] = {{{"verify", "a.q4k"}, {"/dev/ttyUSB1", "a.q4k"}},
                 {{"verify", "COM3", "a.q4k"}, {"COM3", "a.q4k"}},
                 {{"identify"}, {"/dev/ttyUSB1"}},
                 {{"rollout", "vorlage.q4k", "--archive", "archiv"}, {"/dev/ttyUSB1", "vorlage.q4k"}},
                 {{"check", "a.q4k"}, {"a.q4k"}}};
    for (const auto& c : cases) {
        const ParsedArguments parsed = ParseArguments(c.line, "/dev/ttyUSB1");
        EXPECT_EQ(parsed.error, "") << c.line[0];
        EXPECT_EQ(parsed.arguments.operands, c.operands) << c.line[0];
    }
    EXPECT_NE(ParseArguments({"verify", "a.q4k"}).error, "");
}

TEST(CliArguments, WaitForceAndVerifyOnlyWhereTheyApply)
{
    EXPECT_EQ(ParseArguments({"identify", "COM3", "--wait", "30"}).arguments.waitSeconds, 30);
    EXPECT_EQ(ParseArguments({"show", "a", "--wait", "3"}).error,
              "--wait gilt nur für identify, backup, restore, verify.");
    for (const std::vector<std::string>& good :
         {std::vector<std::string>{"backup", "COM3", "a", "-f"}, {"restore", "COM3", "a", "--verify"}})
        EXPECT_EQ(ParseArguments(good).error, "") << good[0];
    for (const std::vector<std::string>& bad : {std::vector<std::string>{"identify", "COM3", "--wait", "-1"},
                                                {"identify", "COM3", "--wait", "soon"},
                                                {"show", "a", "--wait", "3"},
                                                {"restore", "COM3", "a", "-f"},
                                                {"verify", "COM3", "a", "--verify"}})
        EXPECT_NE(ParseArguments(bad).error, "") << bad[0] << " " << bad[2];
}

// The simulator program's command line, control lines, escapes and log lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/command_log.h"
#include "sim/options.h"
#include "sim/text_escapes.h"

TEST(SimCommandLine, EveryOptionLandsInItsField)
{
    const ParsedCommandLine parsed = ParseCommandLine(
        {"--link", "/p/com7", "--pty-file", "pty.txt",   "--image", "in.img",  "--save-image",       "out.img",
         "--log",  "l.txt",   "--dump",     "d.img",     "--pace",  "--ident", "Quendal 4\\rV\\x21", "--fault",
         "noise",  "--fault", "short=BC:4", "--control", "ctl"});
    ASSERT_EQ(parsed.error, "");
    const SimOptions& o = parsed.options;
    EXPECT_EQ(o.linkPath, "/p/com7");
    EXPECT_EQ(o.ptyFile, "pty.txt");
    EXPECT_EQ(o.imageFile, "in.img");
    EXPECT_EQ(o.saveImageFile, "out.img");
    EXPECT_EQ(o.logFile, "l.txt");
    EXPECT_EQ(o.dumpFile, "d.img");
    EXPECT_EQ(o.controlPath, "ctl");
    EXPECT_TRUE(o.pace);
    EXPECT_EQ(o.ident, "Quendal 4\rV!");
    ASSERT_EQ(o.faults.size(), 2u);
    EXPECT_EQ(o.faults[1].kind, FaultKind::Short);
    EXPECT_EQ(o.faults[1].address, 0xBC);
    EXPECT_EQ(o.faults[1].value, 4u);
}

TEST(SimCommandLine, NothingGivenMeansDefaults)
{
    const ParsedCommandLine parsed = ParseCommandLine({});
    EXPECT_EQ(parsed.error, "");
    EXPECT_FALSE(parsed.options.pace);
    EXPECT_FALSE(parsed.options.ident);
    EXPECT_TRUE(parsed.options.faults.empty());
}

TEST(SimCommandLine, MistakesAreReported)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"}, {"--link"}, {"--fault", "loud"}, {"--ident", "bad\\q"}, {"--pace", "on"}, {"link", "x"},
    };
    for (const auto& args : bad)
        EXPECT_NE(ParseCommandLine(args).error, "") << args[0];
    EXPECT_TRUE(ParseCommandLine({"--help"}).help);
}

TEST(SimControlLine, EachCommand)
{
    std::string error;
    auto c = ParseControlLine("fault ack-late=05:300", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, ControlKind::Fault);
    EXPECT_EQ(c->fault.value, 300u);

    EXPECT_EQ(ParseControlLine("clear-faults", error)->kind, ControlKind::ClearFaults);
    EXPECT_EQ(ParseControlLine("dump", error)->kind, ControlKind::Dump);
    EXPECT_EQ(ParseControlLine("save", error)->kind, ControlKind::Save);

    c = ParseControlLine("ident \\x02Quendal 4 X\\rV 1\\rOpt", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->text, "\x02Quendal 4 X\rV 1\rOpt");

    c = ParseControlLine("pace off", error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, ControlKind::Pace);
    EXPECT_FALSE(c->on);
    EXPECT_TRUE(ParseControlLine("pace on", error)->on);

    const std::string data = std::string(126, 'A') + "XX";
    c = ParseControlLine("set 9F " + data, error);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->kind, ControlKind::Set);
    EXPECT_EQ(c->address, 0x9F);
    EXPECT_EQ(c->text, data);
}

TEST(SimControlLine, BadLinesAreRefused)
{
    const std::string data(128, '0');
    for (const std::string& line :
         {std::string("--dump"), std::string("fault"), std::string("pace"), std::string("pace maybe"),
          std::string("dump now"), std::string("set 05 ") + data.substr(1), "set 00 " + data, "set 05  " + data,
          "set 05 " + data.substr(2) + "ab", "set 05 " + data.substr(2) + "X0", std::string("ident"),
          std::string("fault babble=1")}) {
        std::string error;
        EXPECT_FALSE(ParseControlLine(line, error)) << line;
        EXPECT_NE(error, "") << line;
    }
}

TEST(SimEscapes, KnownEscapesAndMistakes)
{
    std::string error;
    EXPECT_EQ(Unescape("a\\r\\n\\\\\\x00\\xfF\\x7e", error), std::string("a\r\n\\\0\xFF~", 7));
    for (const char* bad : {"\\", "\\t", "\\x", "\\x4", "\\xG0", "end\\"})
        EXPECT_FALSE(Unescape(bad, error)) << bad;
}

TEST(SimCommandLogLine, NonPrintableBytesAsHexInAngleBrackets)
{
    EXPECT_EQ(LogLine(1234, std::string("$PROGSTART\x01", 11)), "1234 $PROGSTART<01>");
    EXPECT_EQ(LogLine(0, std::string("$\x00\x7F\x80\xFF \x1F~", 8)), "0 $<00><7F><80><FF> <1F>~");
}

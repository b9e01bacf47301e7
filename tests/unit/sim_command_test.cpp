// The simulated device's command framing and recognition.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/command_parser.h"

namespace
{

std::vector<std::string> FeedAll(CommandAssembler& assembler, const std::string& bytes)
{
    std::vector<std::string> commands;
    for (char c : bytes) {
        if (auto command = assembler.Feed(c))
            commands.push_back(*command);
    }
    return commands;
}

std::string Write(const std::string& address, const std::string& data)
{
    return "$P" + address + data + '\x01';
}

} // namespace

TEST(SimCommandFraming, BytesOutsideCommandsAreIgnored)
{
    CommandAssembler assembler;
    const auto commands = FeedAll(assembler, "xx\x01\r\n$R01\x01junk\x01$PROGENDE\x01");
    EXPECT_EQ(commands, (std::vector<std::string>{"$R01\x01", "$PROGENDE\x01"}));
}

TEST(SimCommandFraming, DollarRestartsAnUnfinishedCommand)
{
    // A command cut short by a line fault must not swallow the command after it.
    CommandAssembler assembler;
    EXPECT_EQ(FeedAll(assembler, "$PROGST$R7F\x01"), (std::vector<std::string>{"$R7F\x01"}));
}

TEST(SimCommandFraming, EndlessGarbageIsDroppedAndFramingRecovers)
{
    CommandAssembler assembler;
    EXPECT_TRUE(FeedAll(assembler, "$" + std::string(10 * kMaxCommandLength, 'A') + "\x01").empty());
    EXPECT_EQ(FeedAll(assembler, "$RBC\x01"), (std::vector<std::string>{"$RBC\x01"}));
}

TEST(SimCommandFraming, AWholeWriteFitsUnderTheCap)
{
    CommandAssembler assembler;
    const std::string write = Write("9F", std::string(128, 'X'));
    EXPECT_EQ(FeedAll(assembler, write), (std::vector<std::string>{write}));
}

TEST(SimCommandParse, QueryEndReadAndWrite)
{
    EXPECT_EQ(ParseCommand(kQuery).kind, CommandKind::Query);
    EXPECT_EQ(ParseCommand(kEnd).kind, CommandKind::End);

    const Command read = ParseCommand("$RBC\x01");
    EXPECT_EQ(read.kind, CommandKind::Read);
    EXPECT_EQ(read.address, 0xBC);

    const std::string data = std::string(126, '0') + "XX";
    const std::string text = Write("80", data);
    const Command write = ParseCommand(text);
    EXPECT_EQ(write.kind, CommandKind::Write);
    EXPECT_EQ(write.address, 0x80);
    EXPECT_EQ(write.data, data);
}

TEST(SimCommandParse, AddressesOutsideTheMemoryAreUnknown)
{
    for (const char* address : {"00", "A0", "BB", "BD", "FF", "bc", "7f", "1G"})
        EXPECT_EQ(ParseCommand(std::string("$R") + address + "\x01").kind, CommandKind::Unknown) << address;
    for (const char* address : {"01", "7F", "80", "9F", "BC"})
        EXPECT_EQ(ParseCommand(std::string("$R") + address + "\x01").kind, CommandKind::Read) << address;
}

TEST(SimCommandParse, WrongLengthsAndNearMissesAreUnknown)
{
    EXPECT_EQ(ParseCommand(Write("05", std::string(127, '0'))).kind, CommandKind::Unknown);
    EXPECT_EQ(ParseCommand(Write("05", std::string(129, '0'))).kind, CommandKind::Unknown);
    EXPECT_EQ(ParseCommand("$R05X\x01").kind, CommandKind::Unknown);
    EXPECT_EQ(ParseCommand("$PROGSTART\x01\x01").kind, CommandKind::Unknown);
    EXPECT_EQ(ParseCommand("$progstart\x01").kind, CommandKind::Unknown);
    EXPECT_EQ(ParseCommand(std::string("$PROGSTART") + '\x02').kind, CommandKind::Unknown);
}

// The simulated device's replies to the query, reads, writes and the end command.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/default_image.h"
#include "sim/device.h"
#include "sim/hex_text.h"

namespace
{

// Everything the device sends for these bytes, as one string; delays are checked elsewhere.
std::string Answer(Device& device, const std::string& bytes)
{
    std::string sent;
    for (const Output& out : device.Receive(bytes, 0))
        sent += out.bytes;
    return sent;
}

std::string WriteCommand(const std::string& address, const std::string& data)
{
    return "$P" + address + data + '\x01';
}

std::string Repeat(const std::string& pair, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += pair;
    return text;
}

} // namespace

TEST(SimDevice, QueryGetsTheIdentificationAtOnce)
{
    Device device;
    const auto outputs = device.Receive(std::string(kQuery), 0);
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].delayMs, 0u);
    EXPECT_EQ(outputs[0].bytes, kDefaultIdent);

    device.SetIdent("Quendal 4 X\rV\rO");
    EXPECT_EQ(Answer(device, std::string(kQuery)), "Quendal 4 X\rV\rO");
}

TEST(SimDevice, DefaultIdentificationHasNameAndTwoCrSeparatedLines)
{
    const std::string ident(kDefaultIdent);
    const std::size_t name = ident.find("Quendal 4");
    ASSERT_NE(name, std::string::npos);
    EXPECT_GT(name, 0u); // some bytes before the name, as a real device sends
    const std::size_t cr1 = ident.find('\r', name);
    ASSERT_NE(cr1, std::string::npos);
    const std::size_t cr2 = ident.find('\r', cr1 + 1);
    ASSERT_NE(cr2, std::string::npos);
    EXPECT_GE(ident.size() - cr2 - 1, 2u); // an option line worth showing
}

TEST(SimDevice, ReadReplyIsAddressAnd128UpperCaseHexAndCr)
{
    Device device;
    for (const char* address : {"01", "06", "7F", "BC", "80", "9F"}) {
        const std::string reply = Answer(device, std::string("$R") + address + "\x01");
        ASSERT_EQ(reply.size(), 133u) << address;
        EXPECT_EQ(reply.substr(0, 4), std::string("$R") + address);
        EXPECT_EQ(reply.back(), '\r');
        for (std::size_t i = 4; i < 132; ++i)
            EXPECT_TRUE(HexDigit(reply[i])) << address << " position " << i;
    }
    EXPECT_EQ(Answer(device, "$RBC\x01").substr(4, 4), "01A1");
}

TEST(SimDevice, NoAnswerToUnknownCommandsOrTheEndCommand)
{
    Device device;
    EXPECT_EQ(Answer(device, "$R00\x01$RA0\x01$RFF\x01$XYZ\x01"), "");
    EXPECT_EQ(Answer(device, std::string(kEnd)), "");
    EXPECT_EQ(Answer(device, WriteCommand("A5", Repeat("00", 64))), "");
    EXPECT_EQ(device.Memory(), DefaultMemory());
}

TEST(SimDevice, WriteIsStoredAcknowledgedAndReadBack)
{
    Device device;
    const std::string data = Repeat("5A", 32) + Repeat("C3", 32);
    EXPECT_EQ(Answer(device, WriteCommand("9F", data)), "P9F!\r");
    EXPECT_EQ(Answer(device, "$R9F\x01"), "$R9F" + data + "\r");
    EXPECT_EQ(Answer(device, WriteCommand("BC", data)), "PBC!\r");
    EXPECT_EQ(device.Memory().ReadHex(0xBC), data);
}

TEST(SimDevice, NonHexPairsKeepTheStoredByte)
{
    Device device;
    const std::string before = device.Memory().ReadHex(0x07);
    // Byte 0 "XX", byte 1 lower case, byte 2 half hex, the rest rewritten.
    const std::string data = "XX" + std::string("ab") + "1X" + Repeat("00", 61);
    EXPECT_EQ(Answer(device, WriteCommand("07", data)), "P07!\r");
    EXPECT_EQ(device.Memory().ReadHex(0x07), before.substr(0, 6) + Repeat("00", 61));
}

TEST(SimDevice, ReadsWrittenBackUnchangedChangeNothing)
{
    // A backup (reads with spare bytes turned into "XX") restored into the device leaves it as it was.
    Device device;
    for (std::uint8_t address = 0x01; address <= 0x7F; ++address) {
        const std::string tag = HexPair(address);
        std::string reply = Answer(device, "$R" + tag + "\x01");
        std::string data = reply.substr(4, 128);
        data.replace(0, 2, "XX");
        EXPECT_EQ(Answer(device, WriteCommand(tag, data)), "P" + tag + "!\r");
    }
    EXPECT_EQ(device.Memory(), DefaultMemory());
}

TEST(SimDevice, CommandsSplitAcrossCallsAndObservedWithTheirTime)
{
    Device device;
    std::vector<std::pair<std::uint64_t, std::string>> seen;
    device.SetCommandObserver([&](std::uint64_t ms, std::string_view command) { seen.emplace_back(ms, command); });
    EXPECT_TRUE(device.Receive("$PROG", 10).empty());
    EXPECT_EQ(device.Receive(std::string("START\x01", 6), 12).size(), 1u);
    device.Receive("$R00\x01", 20);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], (std::pair<std::uint64_t, std::string>{12, std::string(kQuery)}));
    EXPECT_EQ(seen[1].second, "$R00\x01"); // unanswered commands are seen too
    EXPECT_EQ(device.CommandsReceived(), 2u);
}

TEST(SimDevice, SeveralCommandsInOneCallAnswerInOrder)
{
    Device device;
    const auto outputs = device.Receive("$R01\x01$R02\x01", 0);
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].bytes.substr(0, 4), "$R01");
    EXPECT_EQ(outputs[1].bytes.substr(0, 4), "$R02");
}

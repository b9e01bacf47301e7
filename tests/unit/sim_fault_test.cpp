// The faults of the simulated device: how they are written and what each does to the replies.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/default_image.h"
#include "sim/device.h"

namespace
{

Fault MustParse(const std::string& text)
{
    std::string error;
    const auto fault = ParseFault(text, error);
    EXPECT_TRUE(fault) << text << ": " << error;
    return fault.value_or(Fault{});
}

Device WithFaults(std::initializer_list<const char*> texts)
{
    Device device;
    for (const char* text : texts)
        device.AddFault(MustParse(text));
    return device;
}

std::string Sent(const std::vector<Output>& outputs)
{
    std::string sent;
    for (const Output& out : outputs)
        sent += out.bytes;
    return sent;
}

std::string WriteOf(const std::string& address)
{
    return "$P" + address + std::string(128, '0') + '\x01';
}

const std::string kRead05 = "$R05\x01";
const std::string kQueryText(kQuery);

} // namespace

TEST(SimFaultText, EveryKindReadsBackAsWritten)
{
    for (const char* text :
         {"silent", "babble", "noise", "no-reply=05", "no-cr=BC", "trailing=80", "short=7F:10", "ack-never=*",
          "ack-late=05:300", "ack-split=9F", "ack-noise=01", "vanish-after=3", "after-end-only", "short=01:0",
          "short=01:128", "reply-late=*:80", "reply-gap=05:40", "ident-late=30"})
        EXPECT_EQ(FaultText(MustParse(text)), text);
}

TEST(SimFaultText, BadTextsAreRefusedWithAReason)
{
    for (const char* text : {"", "loud", "silent=05", "no-reply", "no-reply=00", "no-reply=A0", "no-reply=bc",
                             "no-reply=05:3", "short=05", "short=05:", "short=05:129", "short=05:x", "ack-late=05",
                             "vanish-after", "vanish-after=-1", "vanish-after=2x", "ack-split=**"}) {
        std::string error;
        EXPECT_FALSE(ParseFault(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(SimFaultText, LateRepliesNeedTheirDelay)
{
    for (const char* text : {"reply-late=05", "reply-late=05:", "reply-gap=05", "ident-late", "ident-late=05:30"}) {
        std::string error;
        EXPECT_FALSE(ParseFault(text, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(SimFaultText, AnAddressAddedAfterTheWildcardWins)
{
    FaultSet faults;
    faults.Add(MustParse("ack-late=*:100"));
    faults.Add(MustParse("ack-late=05:900"));
    EXPECT_EQ(faults.Find(FaultKind::AckLate, 0x05)->value, 900u);
    EXPECT_EQ(faults.Find(FaultKind::AckLate, 0x06)->value, 100u);
    faults.Add(MustParse("ack-late=05:50")); // same kind and address: replaced, not stacked
    EXPECT_EQ(faults.All().size(), 2u);
    EXPECT_EQ(faults.Find(FaultKind::AckLate, 0x05)->value, 50u);
}

TEST(SimFaultBehaviour, SilentAnswersNothingAndStoresNothing)
{
    Device device = WithFaults({"silent"});
    EXPECT_EQ(Sent(device.Receive(kQueryText + kRead05 + WriteOf("05"), 0)), "");
    EXPECT_EQ(device.Memory(), DefaultMemory());
    EXPECT_EQ(device.CommandsReceived(), 3u);
}

TEST(SimFaultBehaviour, BabbleSuppressesRepliesUntilCleared)
{
    Device device = WithFaults({"babble"});
    EXPECT_TRUE(device.Babbling());
    EXPECT_EQ(Sent(device.Receive(kQueryText, 0)), "");
    device.ClearFaults();
    EXPECT_FALSE(device.Babbling());
    EXPECT_EQ(Sent(device.Receive(kQueryText, 0)), kDefaultIdent);
}

TEST(SimFaultBehaviour, NoiseComesBeforeEveryReply)
{
    Device device = WithFaults({"noise"});
    EXPECT_EQ(Sent(device.Receive(kQueryText, 0)), std::string(kNoiseBytes) + std::string(kDefaultIdent));
    EXPECT_EQ(Sent(device.Receive(kRead05, 0)).substr(0, 8), std::string(kNoiseBytes) + "$R05");
    EXPECT_EQ(Sent(device.Receive(WriteOf("05"), 0)), std::string(kNoiseBytes) + "P05!\r");
    EXPECT_EQ(std::string(kNoiseBytes).find('$'), std::string::npos);
}

TEST(SimFaultBehaviour, ReadRepliesOfTheNamedAddressOnly)
{
    Device device = WithFaults({"no-reply=05", "no-cr=06", "trailing=07", "short=08:10"});
    EXPECT_EQ(Sent(device.Receive(kRead05, 0)), "");
    const std::string noCr = Sent(device.Receive("$R06\x01", 0));
    EXPECT_EQ(noCr, "$R06" + device.Memory().ReadHex(0x06));
    const std::string trailing = Sent(device.Receive("$R07\x01", 0));
    EXPECT_EQ(trailing, "$R07" + device.Memory().ReadHex(0x07) + "\r" + std::string(kTrailingBytes));
    EXPECT_EQ(Sent(device.Receive("$R08\x01", 0)), "$R08" + device.Memory().ReadHex(0x08).substr(0, 10) + "\r");
    EXPECT_EQ(Sent(device.Receive("$R09\x01", 0)).size(), 133u);
}

TEST(SimFaultBehaviour, LateRepliesKeepTheirBytesAndComeAfterTheDelay)
{
    Device device = WithFaults({"reply-late=05:80", "ident-late=30"});
    const auto read = device.Receive(kRead05, 0);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].delayMs, 80u);
    EXPECT_EQ(read[0].bytes, "$R05" + device.Memory().ReadHex(0x05) + "\r");
    const auto other = device.Receive("$R06\x01", 0);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0].delayMs, 0u);
    const auto ident = device.Receive(kQueryText, 0);
    ASSERT_EQ(ident.size(), 1u);
    EXPECT_EQ(ident[0].delayMs, 30u);
    EXPECT_EQ(ident[0].bytes, kDefaultIdent);
    // A late read reply does not delay the acknowledgement of a write to the same address.
    const auto ack = device.Receive(WriteOf("05"), 0);
    ASSERT_EQ(ack.size(), 1u);
    EXPECT_EQ(ack[0].delayMs, 0u);
}

TEST(SimFaultBehaviour, ReplyGapSendsTheReplyByteByByte)
{
    Device device = WithFaults({"reply-gap=05:40", "reply-late=05:10"});
    const auto read = device.Receive(kRead05, 0);
    ASSERT_EQ(read.size(), 133u);
    EXPECT_EQ(Sent(read), "$R05" + device.Memory().ReadHex(0x05) + "\r");
    for (std::size_t k = 0; k < read.size(); ++k)
        EXPECT_EQ(read[k].delayMs, 10u + 40u * k) << k;
    EXPECT_EQ(device.Receive("$R06\x01", 0).size(), 1u);
}

TEST(SimFaultBehaviour, WildcardReachesEveryAddressBcIncluded)
{
    Device device = WithFaults({"no-reply=*"});
    EXPECT_EQ(Sent(device.Receive("$R01\x01$RBC\x01$R9F\x01", 0)), "");
    EXPECT_EQ(Sent(device.Receive(kQueryText, 0)), kDefaultIdent); // the query has no address
}

TEST(SimFaultBehaviour, AckFaultsStillStoreTheWrite)
{
    Device device = WithFaults({"ack-never=05", "ack-late=06:300", "ack-noise=07", "ack-split=08"});
    EXPECT_TRUE(device.Receive(WriteOf("05"), 0).empty());

    const auto late = device.Receive(WriteOf("06"), 0);
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].delayMs, 300u);
    EXPECT_EQ(late[0].bytes, "P06!\r");

    const std::string noisy = Sent(device.Receive(WriteOf("07"), 0));
    EXPECT_EQ(noisy, std::string(kNoiseBytes) + "P07!\r" + std::string(kNoiseBytes));

    const auto split = device.Receive(WriteOf("08"), 0);
    ASSERT_EQ(split.size(), 2u);
    EXPECT_EQ(split[0].delayMs, 0u);
    EXPECT_EQ(split[1].delayMs, kSplitGapMs);
    EXPECT_EQ(split[0].bytes + split[1].bytes, "P08!\r");
    EXPECT_NE(split[0].bytes.find("P0"), std::string::npos);

    for (std::uint8_t address : {0x05, 0x06, 0x07, 0x08})
        EXPECT_EQ(device.Memory().ReadHex(address), std::string(128, '0'));
}

TEST(SimFaultBehaviour, LateAndSplitCombine)
{
    Device device = WithFaults({"ack-late=05:1000", "ack-split=05"});
    const auto outputs = device.Receive(WriteOf("05"), 0);
    ASSERT_EQ(outputs.size(), 2u);
    EXPECT_EQ(outputs[0].delayMs, 1000u);
    EXPECT_EQ(outputs[1].delayMs, 1000u + kSplitGapMs);
}

TEST(SimFaultBehaviour, VanishAfterCountsCommandsFromWhenItWasSet)
{
    Device device;
    device.Receive(kQueryText + kQueryText, 0); // earlier commands do not count
    device.AddFault(MustParse("vanish-after=2"));
    EXPECT_EQ(Sent(device.Receive(kRead05, 0)).size(), 133u);
    EXPECT_EQ(Sent(device.Receive("$R00\x01", 0)), ""); // unknown commands count too
    EXPECT_EQ(Sent(device.Receive(kRead05 + WriteOf("05"), 0)), "");
    EXPECT_EQ(device.Memory(), DefaultMemory());
}

TEST(SimFaultBehaviour, AfterEndOnlyWaitsForTheEndCommand)
{
    Device device;
    device.Receive(std::string(kEnd), 0); // an end before the fault was set does not count
    device.AddFault(MustParse("after-end-only"));
    EXPECT_EQ(Sent(device.Receive(kQueryText + kRead05, 0)), "");
    EXPECT_EQ(Sent(device.Receive(std::string(kEnd), 0)), "");
    EXPECT_EQ(Sent(device.Receive(kQueryText, 0)), kDefaultIdent);
}

// Identification: the query on the wire and the labelled display of replies.
#include <gtest/gtest.h>

#include "link/device_commands.h"
#include "link/identification.h"
#include "link/wire_text.h"
#include "tests/unit/fake_device.h"

namespace
{
std::u16string T(const char* ascii)
{
    return WidenBytes(ascii);
}
} // namespace

TEST(Identification, CommandBytes)
{
    EXPECT_EQ(kQueryCommand, std::string_view("\x24\x50\x52\x4F\x47\x53\x54\x41\x52\x54\x01", 11));
    EXPECT_EQ(kEndCommand, std::string_view("\x24\x50\x52\x4F\x47\x45\x4E\x44\x45\x01", 10));
}

TEST(Identification, QueryDrainsThenSendsAndCollectsSignExtended)
{
    FakeDevice link;
    link.Queue("stale");
    link.onCommand = [&](const std::string& command) {
        if (command == kQueryCommand)
            link.Queue("\x80Quendal 4\xFF\r");
    };
    const std::u16string reply = QueryIdentification(link);
    EXPECT_EQ(link.written, kQueryCommand);
    EXPECT_EQ(reply, (std::u16string{u'\xFF80'} + u"Quendal 4" + u'\xFFFF' + u"\r"));
}

TEST(Identification, QueryWithoutAnswerGivesEmptyReply)
{
    FakeDevice link;
    EXPECT_EQ(QueryIdentification(link), u"");
    EXPECT_EQ(link.emptyReads, 2u); // the drain and the reply each end on one silent read
}

TEST(Identification, DisplayStates)
{
    const IdentDisplay none = EvaluateReply(T(""));
    EXPECT_EQ(none.outcome, IdentOutcome::NoDevice);
    EXPECT_EQ(none.text, u"\rkein Gerät verbunden");
    EXPECT_EQ(EvaluateReply(T("quendal 4\rV\rOPT")).outcome, IdentOutcome::NoDevice); // name is case-sensitive

    const IdentDisplay full = EvaluateReply(T("\x02xyQuendal 4 FMS\rV 2.14\rTETRA"));
    EXPECT_EQ(full.outcome, IdentOutcome::Identified);
    EXPECT_EQ(full.text, u"Software: Quendal 4 FMS\rVersion:\t    V 2.14\rOption:\t    TETRA");
}

TEST(Identification, LabelsFollowTheCarriageReturns)
{
    const IdentDisplay noCr = EvaluateReply(T("Quendal 4 FMS"));
    EXPECT_EQ(noCr.outcome, IdentOutcome::Partial);
    EXPECT_EQ(noCr.text, u"Software: Quendal 4 FMS");

    const IdentDisplay oneCr = EvaluateReply(T("Quendal 4 FMS\rV 1.0"));
    EXPECT_EQ(oneCr.outcome, IdentOutcome::Partial);
    EXPECT_EQ(oneCr.text, u"Software: Quendal 4 FMS\rVersion:\t    V 1.0");

    const IdentDisplay shortOption = EvaluateReply(T("Quendal 4\rV\rT"));
    EXPECT_EQ(shortOption.outcome, IdentOutcome::Identified);
    EXPECT_EQ(shortOption.text, u"Software: Quendal 4\rVersion:\t    V\rT");

    const IdentDisplay emptyOption = EvaluateReply(T("Quendal 4\r\r"));
    EXPECT_EQ(emptyOption.outcome, IdentOutcome::Identified);
    EXPECT_EQ(emptyOption.text, u"Software: Quendal 4\rVersion:\t    \r");

    // Everything after the option line is shown, further CRs included.
    const IdentDisplay trailing = EvaluateReply(T("Quendal 4\rV\rOPT\rmore"));
    EXPECT_EQ(trailing.text, u"Software: Quendal 4\rVersion:\t    V\rOption:\t    OPT\rmore");
}

TEST(Identification, HighBytesStayInTheText)
{
    const std::u16string reply = SignExtendBytes("\xE4Quendal 4 \xFC\rV\xF6\rO\xDF");
    const IdentDisplay shown = EvaluateReply(reply);
    EXPECT_EQ(shown.outcome, IdentOutcome::Identified);
    EXPECT_EQ(shown.text, u"Software: Quendal 4 \xFFFC\rVersion:\t    V\xFFF6\rOption:\t    O\xFFDF");
}

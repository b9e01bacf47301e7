// Identification: the query on the wire and the labelled display of replies.
#include <gtest/gtest.h>

#include "app/identification_text.h"
#include "link/device_commands.h"
#include "link/identification.h"
#include "link/wire_text.h"
#include "tests/unit/fake_device.h"

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

TEST(Identification, RepliesTheirLinesDisplayAndVerdict)
{
    using enum IdentOutcome;
    struct Case {
        const char* reply; // bytes as they come from the line
        IdentOutcome outcome;
        std::u16string software, version, option, display;
    };
    const Case cases[] = {
        {"", NoDevice, u"", u"", u"", u"\rkein Gerät verbunden"},
        {"quendal 4\rV\rOPT", NoDevice, u"", u"", u"", u"\rkein Gerät verbunden"}, // the name is case-sensitive
        {"\x02xyQuendal 4 FMS\rV 2.14\rTETRA", Identified, u"Quendal 4 FMS", u"V 2.14", u"TETRA",
         u"Software: Quendal 4 FMS\rVersion:\t    V 2.14\rOption:\t    TETRA"},
        {"Quendal 4 FMS\r\nV 2.14\r\nTETRA\r\n", Identified, u"Quendal 4 FMS", u"V 2.14", u"TETRA",
         u"Software: Quendal 4 FMS\rVersion:\t    \nV 2.14\rOption:\t    \nTETRA\r\n"},
        {"Quendal 4\rV\rOPT\rSN 4711", Identified, u"Quendal 4", u"V", u"OPT",
         u"Software: Quendal 4\rVersion:\t    V\rOption:\t    OPT\rSN 4711"},
        {"Quendal 4\rV\rOPT\r\n", Identified, u"Quendal 4", u"V", u"OPT",
         u"Software: Quendal 4\rVersion:\t    V\rOption:\t    OPT\r\n"},
        {"Quendal 4\rV\rOPT\r\r", Identified, u"Quendal 4", u"V", u"OPT",
         u"Software: Quendal 4\rVersion:\t    V\rOption:\t    OPT\r\r"},
        {"Quendal 4\rV 2\xB0\rOPT \xA9", Identified, u"Quendal 4", u"V 2\uFFB0", u"OPT \uFFA9",
         u"Software: Quendal 4\rVersion:\t    V 2\uFFB0\rOption:\t    OPT \uFFA9"},
        {"Quendal 4\rV\rT", Identified, u"Quendal 4", u"V", u"T", u"Software: Quendal 4\rVersion:\t    V\rT"},
        {"Quendal 4\r\r", Identified, u"Quendal 4", u"", u"", u"Software: Quendal 4\rVersion:\t    \r"},
        {"\xE4Quendal 4\rV\rOPT", Identified, u"Quendal 4", u"V", u"OPT",
         u"Software: Quendal 4\rVersion:\t    V\rOption:\t    OPT"},
        {"Quendal 4 FMS\rV 1.0", Partial, u"Quendal 4 FMS", u"V 1.0", u"",
         u"Software: Quendal 4 FMS\rVersion:\t    V 1.0"},
        {"Quendal 4 FMS", Partial, u"Quendal 4 FMS", u"", u"", u"Software: Quendal 4 FMS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        const Identification ident = EvaluateReply(SignExtendBytes(c.reply));
        EXPECT_EQ(ident.outcome, c.outcome);
        EXPECT_EQ(ident.software, c.software);
        EXPECT_EQ(ident.version, c.version);
        EXPECT_EQ(ident.option, c.option);
        EXPECT_EQ(IdentificationDisplayText(ident), c.display);
    }
}

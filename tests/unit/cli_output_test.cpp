// What q4k prints: UTF-8, JSON strings, progress bars and lines.
#include <gtest/gtest.h>

#include "cli/progress_meter.h"
#include "cli/settings_output.h"
#include "cli/utf8.h"
#include "link/wire_text.h"

TEST(CliUtf8, RoundTripAndMalformedInput)
{
    const std::u16string text = u"Gr\u00fc\u00dfe \u20ac \uFF82";
    EXPECT_EQ(ToUtf8(text), "Gr\xC3\xBC\xC3\x9F"
                            "e \xE2\x82\xAC \xEF\xBE\x82");
    EXPECT_EQ(FromUtf8(ToUtf8(text)), text);
    for (const char* bad : {"\xC3", "\xC3(", "\xC0\x80", "\xED\xA0\x80", "\xF0\x9F\x98\x80", "\xFF"})
        EXPECT_FALSE(FromUtf8(bad)) << bad;
}

TEST(CliJson, StringsAreEscaped)
{
    EXPECT_EQ(JsonString(u"A\"B\\C\x01 \u00e4"), "\"A\\\"B\\\\C\\u0001 \xC3\xA4\"");
}

TEST(CliIdentification, LinesEscapedAlikeInTextJsonAndExcerpt)
{
    const Identification ident = EvaluateReply(SignExtendBytes("Quendal 4\rV 2\xB0\x1B\rT\"\\"));
    EXPECT_EQ(IdentificationText(ident, false), "Software: Quendal 4\nVersion: V 2\\uFFB0\\033\nOption: T\\\"\\\\\n");
    EXPECT_EQ(
        IdentificationText(ident, true),
        "{\"software\": \"Quendal 4\", \"version\": \"V 2\\\\uFFB0\\\\033\", \"option\": \"T\\\\\\\"\\\\\\\\\"}\n");
    EXPECT_EQ(ReplyExcerpt(u"\x02OK\r"), "\\002OK\\r");
    EXPECT_EQ(ReplyExcerpt(std::u16string(70, u'x')), std::string(60, 'x') + "…");
}

TEST(CliProgress, WithoutTerminalOneLinePerTenth)
{
    ProgressMeter meter(false);
    std::string out = meter.Start("Lese", 20, 0);
    for (int done = 1; done <= 20; ++done)
        out += meter.Update(done, static_cast<std::uint64_t>(done) * 100);
    out += meter.Finish();
    EXPECT_EQ(out.substr(0, 26), "Lese  10 % (2/20)\nLese  20");
    EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 10);
    EXPECT_NE(out.find("Lese 100 % (20/20)\n"), std::string::npos);
}

TEST(CliProgress, TerminalBarShowsRecordsRateAndTimeLeft)
{
    ProgressMeter meter(true);
    meter.Start("Lese", 100, 0);
    const std::string bar = meter.Update(25, 5000);
    EXPECT_EQ(bar.substr(0, 7), "\rLese [");
    EXPECT_NE(bar.find("[#######.......................]"), std::string::npos);
    EXPECT_NE(bar.find("25/100 Datensätze  5.0/s  noch 0:15"), std::string::npos);
    meter.Relabel("Schreibe");
    EXPECT_EQ(meter.Update(26, 5200).substr(0, 10), "\rSchreibe ");
    EXPECT_EQ(meter.Finish(), "\n");
    EXPECT_EQ(meter.Finish(), "");
}

TEST(CliProgress, TerminalBarFitsTheWidthAndShedsWordsWhenNarrow)
{
    struct Case {
        int columns;
        const char* numbers; // what stays of "25/100 Datensätze  5.0/s  noch 0:15"
    };
    const Case cases[] = {{132, "25/100 Datensätze  5.0/s  noch 0:15"},
                          {80, "25/100  5.0/s  noch 0:15"},
                          {40, "] 25/100\x1b[K"},
                          {20, "] 25/100\x1b[K"}};
    for (const Case& c : cases) {
        ProgressMeter meter(true, c.columns);
        meter.Start("Speichere Konfiguration in Datei...", 100, 0);
        const std::string bar = meter.Update(25, 5000);
        const std::string shown = bar.substr(1, bar.size() - 4); // without "\r" and "\x1b[K"
        const long width = std::count_if(shown.begin(), shown.end(), [](char ch) { return (ch & 0xC0) != 0x80; });
        EXPECT_LT(width, std::max(c.columns, ProgressMeter::kMinColumns)) << c.columns;
        EXPECT_NE(bar.find(c.numbers), std::string::npos) << bar;
    }
}

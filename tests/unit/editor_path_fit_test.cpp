// Shortening a path with "..." for a display field, measured at one pixel per character.
#include <gtest/gtest.h>

#include "editor/path_fit.h"

namespace
{

int OnePixelPerChar(std::u16string_view text)
{
    return static_cast<int>(text.size());
}

} // namespace

TEST(EditorPathFit, ReductionStepsOfTheExamplePath)
{
    const std::pair<std::u16string, std::u16string> steps[] = {
        {u"D:\\A\\BB\\CCC\\f.q4k", u"D:\\A\\BB\\CCC\\f.q4k"},
        {u"D:\\A\\\\CCC\\f.q4k", u"D:\\A\\...\\CCC\\f.q4k"},
        {u"D:\\\\CCC\\f.q4k", u"D:\\...\\CCC\\f.q4k"},
        {u"D:\\CC\\f.q4k", u"D:\\...CC\\f.q4k"},
        {u"D:\\C\\f.q4k", u"D:\\...C\\f.q4k"},
        {u"D:\\\\f.q4k", u"D:\\...\\f.q4k"},
        {u"D:\\f.q4k", u"D:\\...f.q4k"},
        {u"D:\\.q4k", u"D:\\....q4k"},
    };
    std::u16string path = steps[0].first;
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        if (n > 0) {
            EXPECT_TRUE(ReducePath(path));
        }
        EXPECT_EQ(path, steps[n].first) << n;
        EXPECT_EQ(n == 0 ? path : InsertEllipsis(path), steps[n].second) << n;
    }
}

TEST(EditorPathFit, UnreduciblePathsAreLeftAsTheyAre)
{
    for (std::u16string path : {u"abc.q4k", u"D:\\", u"\\a\\b", u"a\\b\\c", u"ab\\c\\d"}) {
        const std::u16string before = path;
        EXPECT_FALSE(ReducePath(path));
        EXPECT_EQ(path, before);
    }
    EXPECT_EQ(InsertEllipsis(u"ab"), u"ab...");
    EXPECT_EQ(InsertEllipsis(u""), u"...");
}

TEST(EditorPathFit, ReducesUntilTheEllipsisFitsToo)
{
    const std::pair<int, std::u16string> cases[] = {
        {20, u"D:\\A\\BB\\CCC\\f.q4k"}, {17, u"D:\\A\\BB\\CCC\\f.q4k"}, {16, u"D:\\...\\CCC\\f.q4k"},
        {13, u"D:\\...C\\f.q4k"},       {10, u"D:\\....q4k"},           {5, u"D:\\..."},
    };
    for (const auto& [fieldWidth, shown] : cases)
        EXPECT_EQ(FitPath(u"D:\\A\\BB\\CCC\\f.q4k", fieldWidth, OnePixelPerChar), shown) << fieldWidth;
    EXPECT_EQ(FitPath(u"abcdef.q4k", 2, OnePixelPerChar), u"abcdef.q4k");
}

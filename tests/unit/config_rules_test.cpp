// The rules both front ends share: the record census, the control characters in a name, the file ending.
#include <gtest/gtest.h>

#include "config/destination_path.h"
#include "config/record_census.h"
#include "config/setting_input.h"
#include "tests/unit/transfer_test_support.h"

TEST(ConfigRules, CensusCountsMainAndInterfaceRecordsAndTheFirstBc)
{
    const std::string zeros(128, '0');
    const std::string announcing = "00A1" + std::string(124, '0');
    const std::vector<std::string> records = {
        FileRecord("05", zeros),      FileRecord("7F", zeros), FileRecord("02", zeros), FileRecord("BC", zeros),
        FileRecord("BC", announcing), FileRecord("80", zeros), FileRecord("9F", zeros), FileRecord("A0", zeros)};
    const RecordCensus census = CountRecords(records);
    EXPECT_EQ(census.mainRecords, 3);
    EXPECT_EQ(census.lowestMain, 0x02);
    EXPECT_EQ(census.highestMain, 0x7F);
    EXPECT_EQ(census.bc, RecordCensus::Bc::WithoutInterface);
    EXPECT_EQ(census.interfaceRecords, 2);
    EXPECT_EQ(CountRecords({FileRecord("BC", announcing)}).bc, RecordCensus::Bc::AnnouncesInterface);
    const RecordCensus none = CountRecords({});
    EXPECT_EQ(none.bc, RecordCensus::Bc::Missing);
    EXPECT_EQ(none.lowestMain, 0);
}

TEST(ConfigRules, ControlCharactersInNames)
{
    for (const std::u16string_view name : {u"RTW\t2", u"\u0001", u"A\u007F", u"\u0085", u"\u009F"})
        EXPECT_TRUE(HasControlCharacter(name));
    for (const std::u16string_view name : {u"", u"RTW 2", u"\u00A0\u00E4\u00FF", u"~"})
        EXPECT_FALSE(HasControlCharacter(name));
}

TEST(ConfigRules, ConfigFileEndingInAnyCase)
{
    for (const std::u16string_view path : {u"a.q4k", u"C:\\x\\B.Q4K", u".q4K"})
        EXPECT_TRUE(HasConfigFileEnding(path));
    for (const std::u16string_view path : {u"q4k", u"a.q4", u"a.q4kx", u"a_q4k", u""})
        EXPECT_FALSE(HasConfigFileEnding(path));
}

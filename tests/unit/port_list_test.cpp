// Port list: order, the first-port rule, matching the saved port and the close-up choice.
#include <gtest/gtest.h>

#include "link/port_list.h"

namespace
{
PortTable TableWith(std::initializer_list<int> ports)
{
    PortTable table;
    for (int n : ports)
        table[static_cast<std::size_t>(n - 1)] = ComDevicePath(n);
    return table;
}
} // namespace

TEST(PortList, DevicePathsAndItemsInPortOrder)
{
    EXPECT_EQ(ComDevicePath(3), u"\\\\.\\COM3");
    EXPECT_EQ(ComDevicePath(256), u"\\\\.\\COM256");

    PortChoice choice;
    const PortList list = BuildPortList(TableWith({12, 3, 256}), choice);
    EXPECT_EQ(list.items, (std::vector<std::u16string>{u"COM3", u"COM12", u"COM256"}));
    EXPECT_EQ(list.listedPorts[1], u"\\\\.\\COM12");
}

TEST(PortList, FirstListedPortIsTakenOnlyOnce)
{
    PortChoice choice;
    const PortList first = BuildPortList(TableWith({4, 7}), choice);
    EXPECT_EQ(first.selection, 0);
    EXPECT_TRUE(choice.firstPortTaken);
    EXPECT_EQ(choice.portPath, u"\\\\.\\COM4");

    const PortList again = BuildPortList(TableWith({2, 7}), choice);
    EXPECT_EQ(again.selection, -1);
    EXPECT_EQ(choice.portPath, u"\\\\.\\COM4");
}

TEST(PortList, MoreThanTenPortsAreAllListed)
{
    PortTable table;
    for (int n = 1; n <= 256; ++n)
        table[static_cast<std::size_t>(n - 1)] = ComDevicePath(n);
    PortChoice choice;
    const PortList list = BuildPortList(table, choice);
    ASSERT_EQ(list.items.size(), 256u);
    EXPECT_EQ(list.items.back(), u"COM256");
}

TEST(PortList, SavedPortMatchesExactlyElseItemZero)
{
    PortChoice choice;
    const PortList list = BuildPortList(TableWith({3, 5}), choice);
    EXPECT_EQ(SelectSavedPort(list.listedPorts, u"\\\\.\\COM5"), 1);
    EXPECT_EQ(SelectSavedPort(list.listedPorts, u"\\\\.\\com5"), 0); // case-sensitive
    EXPECT_EQ(SelectSavedPort(list.listedPorts, u"\\\\.\\COM9"), 0);
    EXPECT_EQ(SelectSavedPort(list.listedPorts, u""), 0);
    EXPECT_EQ(SelectSavedPort({}, u"\\\\.\\COM5"), -1);
}

TEST(PortList, CloseupTakesSelectionOrFirstItem)
{
    PortChoice choice;
    const PortList list = BuildPortList(TableWith({3, 5}), choice);
    EXPECT_EQ(PortAfterCloseup(list.listedPorts, 1), u"\\\\.\\COM5");
    EXPECT_EQ(PortAfterCloseup(list.listedPorts, -1), u"\\\\.\\COM3");
    EXPECT_EQ(PortAfterCloseup({}, -1), std::nullopt);

    PortChoice none;
    const PortList empty = BuildPortList(PortTable{}, none);
    EXPECT_TRUE(empty.items.empty());
    EXPECT_FALSE(none.firstPortTaken);
    EXPECT_TRUE(none.portPath.empty());
}

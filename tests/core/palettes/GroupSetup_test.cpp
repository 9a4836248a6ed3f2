#include "tests/core/palettes/PaletteTestGroups.h"
#include "palettes/GroupSetup.h"

#include <gtest/gtest.h>

using namespace palettes;
using stores::TextTable;

namespace {

QStringList NumbersFrom(int first) {
    QStringList numbers;
    for (int n = first; n < first + 10; ++n) {
        numbers << QString::number(n);
    }
    return numbers;
}

ChannelRow Plain(int number, const QString& name, const QString& letter) {
    return MakeChannel(number, name, "01", "Left", "LTP", name, "L", letter);
}

} // namespace

TEST(PaletteNumbers, FollowTheGroupTypeOrTheStoredFirstNumber) {
    const QStringList words{TypeWord(GroupType::PanTilt), TypeWord(GroupType::Colour),
                            TypeWord(GroupType::Gobo)};
    EXPECT_EQ(words, QStringList({"Pan/Tilt", "Colour", "Gobo"}));
    EXPECT_EQ(PaletteNumbersForType("Colour"), NumbersFrom(1));
    EXPECT_EQ(PaletteNumbersForType("Gobo"), NumbersFrom(11));
    EXPECT_EQ(PaletteNumbersForType("Pan/Tilt"), NumbersFrom(21));
    EXPECT_EQ(PaletteNumbersForType("colour"), QStringList());

    const std::pair<const char*, QStringList> stored[] = {
        {"1", NumbersFrom(1)},   {"10", NumbersFrom(1)},  {"15", NumbersFrom(11)},
        {"21", NumbersFrom(21)}, {"30", NumbersFrom(21)}, {"31", {"-1"}},
        {"0", {"-1"}},           {"10.5", {"-1"}},        {"", {"-1"}},
    };
    for (const auto& [first, numbers] : stored) {
        EXPECT_EQ(PaletteNumbersForStoredNumber(first), numbers) << first;
    }
}

TEST(PaletteChannels, NewGroupsOfferEveryKeyedChannelInUseInRowOrder) {
    const ChannelRows rows{
        Plain(1, "Dimmer", "H"),
        Plain(3, "Pan", "E"),
        MakeFinePart(4, "Pan fine", 3, "E"),
        MakeChannel(2, "Odd", "-", "Left", "LTP", "Odd", "L", "0"),
        Plain(5, "Tilt", "F"),
        Plain(6, "Beyond", "0"), // past the channel count
    };
    const std::vector<ChannelChoice> expected{{"1 - Dimmer", 1}, {"3 - Pan", 3}, {"5 - Tilt", 5}};
    EXPECT_EQ(GroupChannelChoices(rows, 5), expected);
    EXPECT_TRUE(GroupChannelChoices(rows, 0).empty());
}

TEST(PaletteChannels, GroupChannelsAreFoundByNumberNotByRow) {
    const ChannelRows rows{Plain(2, "Red", "T"), Plain(1, "Green", "U"), Plain(3, "Blue", "V"),
                           Plain(4, "Beyond", "H")};
    const GroupChannels chosen = ChannelsByNumber(rows, 3, {1, 2});
    EXPECT_EQ(chosen, (GroupChannels{{"1", "Green", "U"}, {"2", "Red", "T"}}));

    TextTable table(4, 0);
    table.setCell(2, 0, "3");
    table.setCell(3, 0, "4");
    table.setCell(4, 0, "9");
    // Channels 4 (beyond the count) and 9 are no longer in the table: they keep their numbers.
    EXPECT_EQ(ChannelsOfTable(rows, 3, table),
              (GroupChannels{{"3", "Blue", "V"}, {"4", "", ""}, {"9", "", ""}}));
}

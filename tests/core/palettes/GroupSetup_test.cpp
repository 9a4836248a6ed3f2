#include "palettes/GroupSetup.h"
#include "tests/core/palettes/PaletteTestGroups.h"

#include <gtest/gtest.h>

using namespace palettes;

namespace {
ChannelRow Plain(int number, const QString& name, const QString& letter) {
    return MakeChannel(number, name, "01", "Left", "LTP", name, "L", letter);
}
} // namespace

TEST(PaletteChannels, StoredOnesAreFoundByNumber) {
    const ChannelRows rows{Plain(2, "Red", "T"), MakeFinePart(3, "Red fine", 2, "T"),
                           MakeChannel(1, "Odd", "-", "Left", "LTP", "Odd", "L", "0"),
                           Plain(4, "Beyond", "H")};
    stores::TextTable table(4, 0);
    table.setCell(2, 0, "2");
    table.setCell(3, 0, "4");
    table.setCell(4, 0, "9");
    // Channels 4 (beyond the count) and 9 are gone from the channel table: they keep their numbers.
    EXPECT_EQ(ChannelsOfTable(rows, 3, table),
              (GroupChannels{{"2", "Red", "T"}, {"4", "", ""}, {"9", "", ""}}));
}

TEST(PaletteNumbers, AStoredGroupsNumbersFollowItsFirstEntry) {
    const std::pair<const char*, const char*> cases[] = {
        {"10", "1"},
        {"30", "21"},
        {"31", "-1"},
        {"10.5", "-1"},
    };
    for (const auto& [first, firstOffered] : cases) {
        EXPECT_EQ(PaletteNumbersForStoredNumber(first).value(0), firstOffered) << first;
    }
}

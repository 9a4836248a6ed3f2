#include "ranges/RangeTables.h"

#include "../channels/ChannelTestRows.h"

#include <gtest/gtest.h>

namespace {

using namespace ranges;

ChannelRows Fixture() {
    return {
        MakeChannel(1, "Dimmer", "01", "Left", "HTP", "Dimmer", "H", "H"),
        MakeChannel(3, "Gobo", "06", "Left", "LTP", "Gobo1", "L", "I"),
        MakeFinePart(4, "Gobo fine", 3, "I"),
        MakeChannel(2, "Strobe *", "02", "Right", "LTP", "Shutter", "L", "G"),
    };
}

TextTable StoredTable(const QString& channel, const QString& name, const RangeEntries& entries) {
    TextTable table(3, static_cast<int>(entries.size()));
    table.setCell(0, 0, channel);
    table.setCell(1, 0, name);
    for (int r = 1; r <= static_cast<int>(entries.size()); ++r) {
        const RangeEntry& entry = entries[r - 1];
        table.setCell(0, r, QString::number(entry.low));
        table.setCell(1, r, QString::number(entry.high));
        table.setCell(2, r, entry.description);
        table.setCell(3, r, entry.formula);
    }
    return table;
}

const RangeEntries OpenAndGobo{{0, 15, "Open", "a"}, {16, 31, "Gobo1", ""}};

TEST(RangeChannels, ListsChannelsWithKeyAndWheelInGridOrder) {
    ChannelRows rows = Fixture();
    rows.push_back(MakeChannel(5, "NoKey", "-", "Left", "LTP", "x", "L", "0"));
    rows.push_back(MakeChannel(6, "NoWheel", "07", "-", "LTP", "x", "L", "0"));
    const std::vector<RangeChannel> expected{
        {1, "1 - Dimmer"}, {3, "3 - Gobo"}, {2, "2 - Strobe *"}};
    EXPECT_EQ(RangeChannels(rows, 6), expected);
    // Only rows 1 to the channel count are channels of the fixture.
    EXPECT_EQ(RangeChannels(rows, 2),
              (std::vector<RangeChannel>{{1, "1 - Dimmer"}, {3, "3 - Gobo"}}));
    EXPECT_TRUE(RangeChannels(rows, 0).empty());
    EXPECT_EQ(RangeChannels(rows, 40), expected);
}

TEST(RangeChannels, TheMarkIsStoreMembership) {
    AdvancedStores stores;
    stores.rangeTables.append({qint32(3), StoredTable("3", "Gobo", OpenAndGobo)});
    const std::vector<RangeChannel> channels = RangeChannels(Fixture(), 4);
    EXPECT_EQ(RangeChannelItemText(channels[0], stores.rangeTables), "1 - Dimmer");
    EXPECT_EQ(RangeChannelItemText(channels[1], stores.rangeTables), "3 - Gobo *");
    // A name that ends in " *" is a name: without a table nothing is added or taken away.
    EXPECT_EQ(RangeChannelItemText(channels[2], stores.rangeTables), "2 - Strobe *");
    stores.rangeTables.append({qint32(2), StoredTable("2", "Strobe *", OpenAndGobo)});
    EXPECT_EQ(RangeChannelItemText(channels[2], stores.rangeTables), "2 - Strobe * *");
}

TEST(RangeStore, LoadsATableOrAnEmptyGrid) {
    AdvancedStores stores;
    const TextTable stored = StoredTable("3", "Gobo", OpenAndGobo);
    stores.rangeTables.append({qint32(1), StoredTable("1", "Dimmer", {{0, 255, "Dim", ""}})});
    stores.rangeTables.append({qint32(3), stored});

    const LoadedRanges gobo = LoadRangeTable(stores, 3);
    EXPECT_TRUE(gobo.hasTable);
    EXPECT_EQ(gobo.grid, (RangeGrid{OpenAndGobo, 4}));
    EXPECT_EQ(stores.curRangeTable, stored);

    const LoadedRanges none = LoadRangeTable(stores, 2);
    EXPECT_FALSE(none.hasTable);
    EXPECT_EQ(none.grid, (RangeGrid{{}, 8}));
    EXPECT_EQ(stores.curRangeTable, TextTable(3, 0));
}

TEST(RangeStore, SavingAppendsThenReplacesInPlace) {
    AdvancedStores stores;
    ChannelRows rows = Fixture();
    std::swap(rows[1], rows[3]); // the channel is found by its number, not its row
    StoreRangeTable(stores, 1, rows, {{0, 255, "Dim", ""}});
    StoreRangeTable(stores, 3, rows, {OpenAndGobo[0]});
    ASSERT_EQ(stores.rangeTables.count(), 2);
    EXPECT_EQ(std::get<qint32>(stores.rangeTables.value(RangeFields::ChannelNumber, 1)), 3);

    StoreRangeTable(stores, 3, rows, OpenAndGobo);
    EXPECT_EQ(stores.rangeTables.count(), 2);
    EXPECT_EQ(stores.rangeTables.text(RangeFields::ChannelNumber, 0), "1");
    ASSERT_NE(stores.rangeTables.table(RangeFields::RangeTable, 1), nullptr);
    EXPECT_EQ(*stores.rangeTables.table(RangeFields::RangeTable, 1),
              StoredTable("3", "Gobo", OpenAndGobo));
    EXPECT_EQ(stores.curRangeTable, StoredTable("3", "Gobo", OpenAndGobo));
    // The stored table is a copy: the work table may be overwritten.
    stores.curRangeTable = TextTable();
    EXPECT_EQ(LoadRangeTable(stores, 3).grid.entries, OpenAndGobo);
}

TEST(RangeStore, AnEmptiedTableLeavesTheStore) {
    AdvancedStores stores;
    const ChannelRows rows = Fixture();
    for (int channel : {1, 3, 2})
        StoreRangeTable(stores, channel, rows, OpenAndGobo);
    StoreRangeTable(stores, 3, rows, {});
    EXPECT_EQ(stores.rangeTables.names(), (QStringList{"1", "2"}));
    StoreRangeTable(stores, 3, rows, {});
    EXPECT_EQ(stores.rangeTables.count(), 2);
    StoreRangeTable(stores, 1, rows, {});
    StoreRangeTable(stores, 2, rows, {});
    EXPECT_FALSE(stores.rangeTables.isNonEmpty());
}

TEST(RangeStore, ButtonCaptionCountsTheTables) {
    RecordStore store(2);
    EXPECT_EQ(RangeButtonCaption(store), "范围表编辑");
    store.append({qint32(1), TextTable(3, 1)});
    EXPECT_EQ(RangeButtonCaption(store), "范围表编辑 (1)");
    store.append({qint32(2), TextTable(3, 1)});
    store.append({qint32(3), TextTable(3, 1)});
    EXPECT_EQ(RangeButtonCaption(store), "范围表编辑 (3)");
}

struct BoundCase {
    const char* text;
    const char* fromText; // nullptr: the from box itself
    BoundCheck expected;
};

TEST(BoundBoxes, RefuseWithTheirMessagesOrGiveTheWholeNumber) {
    const auto refused = [](const QString& message, std::optional<QString> corrected) {
        return BoundCheck{std::nullopt, message, corrected};
    };
    const auto accepted = [](int value) { return BoundCheck{value, QString(), std::nullopt}; };
    const BoundCase cases[] = {
        {"", nullptr, refused(BoundEmptyMessage, std::nullopt)},
        {"1x", nullptr, refused(BoundNotNumberMessage, "")},
        {"300", nullptr, refused("请输入正确数值范围：从 0 至 255...", "")},
        {"-1", nullptr, refused("请输入正确数值范围：从 0 至 255...", "")},
        {"2.5", nullptr, refused(BoundNotWholeMessage, "2")},
        {"07", nullptr, accepted(7)},
        {"0", nullptr, accepted(0)},
        {"255", nullptr, accepted(255)},
        {"", "50", refused(BoundEmptyMessage, std::nullopt)},
        {"x", "50", refused(BoundNotNumberMessage, "")},
        {"20", "50", refused("请输入正确数值范围：从 50 至 255...", "50")},
        {"256", "50", refused("请输入正确数值范围：从 50 至 255...", "50")},
        {"60.7", "50", refused(BoundNotWholeMessage, "60")},
        {"50", "50", accepted(50)},
        {"0", "", accepted(0)},
        {"255", "07", accepted(255)},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << '"' << c.text << "\" from \"" << (c.fromText ? c.fromText : "-") << '"');
        const BoundCheck check =
            c.fromText ? CheckToBound(c.text, c.fromText) : CheckFromBound(c.text);
        EXPECT_EQ(check, c.expected);
    }
}

} // namespace

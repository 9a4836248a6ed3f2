#include "ranges/RangeTables.h"

#include "../../support/ChannelTestRows.h"

#include <gtest/gtest.h>

namespace {

using namespace ranges;

TEST(RangeChannels, ListOnlyNumberedChannelsWithKeyAndWheelMarkedByTheStore) {
    ChannelRow unnumbered = MakeChannel(0, "Zoom", "08", "Right", "LTP", "Zoom", "L", "0");
    unnumbered[channels::ChannelColumn::ChannelNumber] = "z";
    const ChannelRows rows{
        MakeChannel(1, "Dimmer", "01", "Left", "HTP", "Dimmer", "H", "H"),
        MakeFinePart(2, "Dimmer fine", 1, "H"),
        unnumbered,
        MakeChannel(4, "Gobo *", "06", "Right", "LTP", "Gobo1", "L", "I"),
    };
    // Without a whole number the row cannot be linked to a table.
    const std::vector<RangeChannel> channels = RangeChannels(rows, 4);
    ASSERT_EQ(channels, (std::vector<RangeChannel>{{1, "1 - Dimmer"}, {4, "4 - Gobo *"}}));
    RecordStore store(2);
    store.append({qint32(4), stores::TextTable(3, 1)});
    // A name ending in " *" is a name: only a table in the store marks the channel.
    EXPECT_EQ(RangeChannelItemText(channels[0], store), "1 - Dimmer");
    EXPECT_EQ(RangeChannelItemText(channels[1], store), "4 - Gobo * *");
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
        {"300", nullptr, refused("请输入正确数值范围：从 0 至 255...", "")},
        {"2.5", nullptr, refused(BoundNotWholeMessage, "2")},
        {"07", nullptr, accepted(7)},
        {"x", "50", refused(BoundNotNumberMessage, "")},
        {"20", "50", refused("请输入正确数值范围：从 50 至 255...", "50")},
        {"60.7", "50", refused(BoundNotWholeMessage, "60")},
        {"0", "", accepted(0)},
        // A from text below 0 does not open the to box below 0 either.
        {"-3000000000", "-5000000000",
         refused("请输入正确数值范围：从 -5000000000 至 255...", "-5000000000")},
        {"-2.5", "-5", refused("请输入正确数值范围：从 -5 至 255...", "-5")},
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << '"' << c.text << "\" from \"" << (c.fromText ? c.fromText : "-") << '"');
        EXPECT_EQ(c.fromText ? CheckToBound(c.text, c.fromText) : CheckFromBound(c.text),
                  c.expected);
    }
}

} // namespace

#include "ranges/RangeTables.h"

#include "../../support/ChannelTestRows.h"

#include <gtest/gtest.h>

namespace {

using namespace ranges;

TEST(RangeChannels, ListsChannelsWithKeyAndWheelMarkedByTheStore) {
    const ChannelRows rows{
        MakeChannel(1, "Dimmer", "01", "Left", "HTP", "Dimmer", "H", "H"),
        MakeChannel(3, "Gobo", "06", "Left", "LTP", "Gobo1", "L", "I"),
        MakeFinePart(4, "Gobo fine", 3, "I"),
        MakeChannel(2, "Strobe *", "02", "-", "LTP", "Shutter", "L", "G"),
        MakeChannel(5, "Iris *", "07", "Right", "LTP", "Iris", "L", "0"),
        MakeChannel(6, "Beyond", "08", "Right", "LTP", "Zoom", "L", "0"),
    };
    const std::vector<RangeChannel> channels = RangeChannels(rows, 5);
    ASSERT_EQ(channels,
              (std::vector<RangeChannel>{{1, "1 - Dimmer"}, {3, "3 - Gobo"}, {5, "5 - Iris *"}}));

    RecordStore store(2);
    store.append({qint32(3), stores::TextTable(3, 1)});
    store.append({qint32(5), stores::TextTable(3, 1)});
    // A name ending in " *" is a name: only a table in the store marks the channel.
    QStringList texts;
    for (const RangeChannel& channel : channels)
        texts << RangeChannelItemText(channel, store);
    EXPECT_EQ(texts, (QStringList{"1 - Dimmer", "3 - Gobo *", "5 - Iris * *"}));
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
    };
    for (const BoundCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << '"' << c.text << "\" from \"" << (c.fromText ? c.fromText : "-") << '"');
        EXPECT_EQ(c.fromText ? CheckToBound(c.text, c.fromText) : CheckFromBound(c.text),
                  c.expected);
    }
}

} // namespace

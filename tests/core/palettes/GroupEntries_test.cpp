#include "palettes/GroupEntries.h"
#include "palettes/ValueRules.h"
#include "tests/core/palettes/PaletteTestGroups.h"

#include <gtest/gtest.h>

using namespace palettes;

namespace {

EntryInput Input(const QString& name, const QString& number, ValuePanelMode mode,
                 PanelValues panel = {"0", "0", "0", "0"}, int clickedChannel = 0) {
    return {name, number, mode, clickedChannel, panel};
}

// A colour group on red, green, blue and a dimmer, holding "Red" with palette number 1.
GroupEntries ColourGroup() {
    GroupEntries group("Colour", ChannelsWithLetters({"T", "U", "V", "H"}));
    EXPECT_EQ(group.add(Input("Red", "1", ValuePanelMode::Rgb, {"", "255", "0", "0"})),
              std::nullopt);
    return group;
}

} // namespace

TEST(PaletteEntries, AValueBoxWithoutANumberIsRefusedWhereThePanelCarriesIt) {
    struct Case {
        bool adding;
        EntryInput input;
        std::optional<EntryRefusal> expected;
    };
    const auto rgb = ValuePanelMode::Rgb;
    const Case cases[] = {
        {false, Input("Red", "1", rgb, {"0", "1.5e", "0", "0"}),
         EntryRefusal{ValueRangeMessage, EntryControl::Text3, true}},
        {true, Input("Blue", "2", ValuePanelMode::Slider, {"", "0", "0", "0"}),
         EntryRefusal{ValueRangeMessage, EntryControl::Text2, true}},
        {true, Input("Blue", "2", ValuePanelMode::PanTilt, {"x", "y", "0", "0"}), std::nullopt},
    };
    for (const Case& c : cases) {
        GroupEntries group = ColourGroup();
        const auto refusal = c.adding ? group.add(c.input) : group.update(0, c.input);
        EXPECT_EQ(refusal, c.expected)
            << c.input.name.toStdString() << c.input.number.toStdString();
        EXPECT_EQ(group.entries().back().name, refusal ? "Red" : c.input.name);
    }
}

TEST(PaletteEntries, EachPanelWritesOnlyTheChannelsItCarries) {
    struct Case {
        QStringList letters;
        ValuePanelMode mode;
        PanelValues panel;
        QStringList values;
        std::optional<qint32> swatch;
    };
    // Channels the panel does not carry get "0" in a new entry; colour boxes stay as typed.
    // clang-format off
    const Case cases[] = {
        {{"T", "U", "V", "H"}, ValuePanelMode::Rgb, {"9", "255", "12.5", "0"}, {"255", "12.5", "0", "0"}, 0x000CFF},
        {{"B", "C", "D", "B"}, ValuePanelMode::Cmy, {"9", "255", "0", "0"}, {"255", "0", "0", "255"}, 0xFFFF00},
        {{"E", "H", "F"}, ValuePanelMode::PanTilt, {"7", "9", "127", "64"}, {"127", "0", "64"}, std::nullopt},
    };
    // clang-format on
    for (const Case& c : cases) {
        GroupEntries group("G", ChannelsWithLetters(c.letters));
        ASSERT_EQ(group.add(Input("A", "1", c.mode, c.panel)), std::nullopt);
        EXPECT_EQ(group.entries()[0].values, c.values) << c.letters.join(',').toStdString();
        EXPECT_EQ(group.entries()[0].swatch, c.swatch) << c.letters.join(',').toStdString();
    }
    GroupEntries group = ColourGroup();
    ASSERT_EQ(group.update(0, Input("Red", "3", ValuePanelMode::Slider, {"128", "", "", ""}, 3)),
              std::nullopt);
    EXPECT_EQ(group.entries()[0].values, QStringList({"255", "0", "0", "128"}));
    EXPECT_EQ(group.entries()[0].swatch, 0x0000FF);
}

#include "tests/core/palettes/PaletteTestGroups.h"
#include "palettes/GroupEntries.h"
#include "palettes/ValueRules.h"

#include <gtest/gtest.h>

using namespace palettes;
using stores::RecordStore;
using stores::TextTable;
namespace PaletteFields = stores::PaletteFields;

namespace {

EntryInput Input(const QString& name, const QString& number, ValuePanelMode mode,
                 PanelValues panel = {"0", "0", "0", "0"}, int clickedChannel = 0) {
    return {name, number, mode, clickedChannel, panel};
}

// A colour group on red, green, blue and a dimmer, holding "Red" with palette number 1.
GroupEntries ColourGroup() {
    GroupEntries group("Colour", ChannelsWithLetters({"T", "U", "V", "H"}));
    EXPECT_EQ(group.add(Input("Red", "1", ValuePanelMode::Rgb, {"0", "255", "0", "0"})),
              std::nullopt);
    return group;
}

QStringList NamesOf(const GroupEntries& group) {
    QStringList names;
    for (const PaletteEntry& entry : group.entries()) {
        names << entry.name;
    }
    return names;
}

} // namespace

TEST(PaletteEntries, AddAndUpdateRefuseWhatTheGroupCannotHold) {
    struct Case {
        bool adding;
        EntryInput input;
        std::optional<EntryRefusal> expected;
    };
    const auto rgb = ValuePanelMode::Rgb;
    const Case cases[] = {
        {true, Input("", "2", rgb), EntryRefusal{NameMissingMessage, EntryControl::Text1, false}},
        {true, Input("Blue", "", rgb),
         EntryRefusal{NumberMissingMessage, EntryControl::Combo1, false}},
        {true, Input("Red", "2", rgb),
         EntryRefusal{NameInUseMessage("Red"), EntryControl::Text1, true}},
        {true, Input("red", "2", rgb), std::nullopt},
        {true, Input("Blue", "1", rgb),
         EntryRefusal{NumberInUseMessage("1"), EntryControl::Combo1, false}},
        {true, Input("Blue", "2", rgb, {"0", "0", "x", "0"}),
         EntryRefusal{ValueRangeMessage, EntryControl::Text4, true}},
        {true, Input("Blue", "2", ValuePanelMode::Slider, {"", "0", "0", "0"}),
         EntryRefusal{ValueRangeMessage, EntryControl::Text2, true}},
        {true, Input("Blue", "2", ValuePanelMode::PanTilt, {"x", "y", "0", "0"}), std::nullopt},
        {false, Input("", "1", rgb), EntryRefusal{NameMissingMessage, EntryControl::Text1, false}},
        {false, Input("Red", "", rgb),
         EntryRefusal{NumberMissingMessage, EntryControl::Combo1, false}},
        {false, Input("Red", "1", rgb, {"0", "1.5e", "0", "0"}),
         EntryRefusal{ValueRangeMessage, EntryControl::Text3, true}},
    };
    for (const Case& c : cases) {
        GroupEntries group = ColourGroup();
        const auto refusal = c.adding ? group.add(c.input) : group.update(0, c.input);
        EXPECT_EQ(refusal, c.expected)
            << c.input.name.toStdString() << " " << c.input.number.toStdString();
        EXPECT_EQ(group.count(), refusal || !c.adding ? 1 : 2);
    }
}

TEST(PaletteEntries, UpdateMayRepeatAnotherEntrysNameAndNumber) {
    GroupEntries group = ColourGroup();
    ASSERT_EQ(group.add(Input("Green", "2", ValuePanelMode::Rgb)), std::nullopt);
    ASSERT_EQ(group.update(1, Input("Red", "1", ValuePanelMode::Rgb)), std::nullopt);
    EXPECT_EQ(NamesOf(group), QStringList({"Red", "Red"}));
    EXPECT_EQ(group.entries()[1].number, "1");
}

TEST(PaletteEntries, EachPanelWritesOnlyTheChannelsItCarries) {
    struct Case {
        QStringList letters;
        ValuePanelMode mode;
        PanelValues panel;
        int clicked;
        QStringList values;
        std::optional<qint32> swatch;
    };
    const Case cases[] = {
        // Channels the panel does not carry get "0" in a new entry.
        {{"T", "U", "V", "H"},
         ValuePanelMode::Rgb,
         {"9", "255", "12.5", "0"},
         0,
         {"255", "12.5", "0", "0"},
         255 + 12 * 256},
        {{"T", "U", "V"}, ValuePanelMode::Rgb, {"9", "0", "0", "0"}, 2, {"0", "0", "0"}, 1},
        {{"B", "C", "D", "B"},
         ValuePanelMode::Cmy,
         {"9", "255", "0", "0"},
         0,
         {"255", "0", "0", "255"},
         0xFFFF00},
        {{"E", "H", "F"},
         ValuePanelMode::PanTilt,
         {"7", "9", "127", "64"},
         2,
         {"127", "0", "64"},
         std::nullopt},
        {{"I", "H"}, ValuePanelMode::Slider, {"200", "9", "9", "9"}, 1, {"0", "200"}, std::nullopt},
    };
    for (const Case& c : cases) {
        GroupEntries group("G", ChannelsWithLetters(c.letters));
        ASSERT_EQ(group.add(Input("A", "1", c.mode, c.panel, c.clicked)), std::nullopt);
        EXPECT_EQ(group.entries()[0].values, c.values) << c.letters.join(',').toStdString();
        EXPECT_EQ(group.entries()[0].swatch, c.swatch) << c.letters.join(',').toStdString();
    }
}

TEST(PaletteEntries, SliderUpdateChangesOnlyTheClickedChannelAndKeepsTheSwatch) {
    GroupEntries group = ColourGroup();
    ASSERT_EQ(group.update(0, Input("Red", "3", ValuePanelMode::Slider, {"128", "", "", ""}, 3)),
              std::nullopt);
    const PaletteEntry& entry = group.entries()[0];
    EXPECT_EQ(entry.values, QStringList({"255", "0", "0", "128"}));
    EXPECT_EQ(entry.number, "3");
    EXPECT_EQ(entry.swatch, 255);
}

TEST(PaletteEntries, DeletingMovesTheLaterEntriesUpWithTheirSwatches) {
    GroupEntries group = ColourGroup();
    ASSERT_EQ(group.add(Input("Green", "2", ValuePanelMode::Slider)), std::nullopt);
    ASSERT_EQ(group.add(Input("Blue", "3", ValuePanelMode::Rgb, {"", "0", "0", "255"})),
              std::nullopt);
    group.remove(1);
    EXPECT_EQ(NamesOf(group), QStringList({"Red", "Blue"}));
    EXPECT_EQ(group.entries()[1].swatch, 0xFF0000);
}

TEST(PaletteEntries, AFullGroupTakesNoMoreEntries) {
    GroupEntries group("Gobo", ChannelsWithLetters({"I"}));
    for (int i = 1; i <= MaxEntries + 1; ++i) {
        EXPECT_EQ(
            group.add(Input(QString::number(i), QString::number(i + 10), ValuePanelMode::Slider)),
            std::nullopt);
    }
    EXPECT_EQ(group.count(), MaxEntries);
}

TEST(PaletteEntries, TableCarriesHeaderAndEntriesAndReadsBackWithSwatches) {
    GroupEntries group = ColourGroup();
    ASSERT_EQ(group.add(Input("Dark", "2", ValuePanelMode::Rgb, {"", "0", "0", "0"})),
              std::nullopt);
    const TextTable table = group.toTable();
    ASSERT_EQ(table.fieldUpper(), 5);
    ASSERT_EQ(table.rowUpper(), 2);
    const auto row = [&](int r) {
        QStringList cells;
        for (int f = 0; f <= table.fieldUpper(); ++f) {
            cells << table.cell(f, r);
        }
        return cells;
    };
    EXPECT_EQ(row(0), QStringList({"Colour", "", "1", "2", "3", "4"}));
    EXPECT_EQ(row(1), QStringList({"Red", "1", "255", "0", "0", "0"}));
    EXPECT_EQ(row(2), QStringList({"Dark", "2", "0", "0", "0", "0"}));

    const GroupEntries reread = GroupEntries::FromTable(table, group.channels());
    EXPECT_EQ(reread.groupName(), "Colour");
    EXPECT_EQ(reread.entries(), group.entries());
}

TEST(PaletteGroupStore, FirstSaveAppendsTheGroupAndLaterSavesReplaceItsTable) {
    RecordStore groups(3);
    groups.append({QString("Gobo"), qint16(1), TextTable(2, 1)});
    TextTable work;
    GroupEntries group = ColourGroup();

    const StoredGroup first = SaveGroupToStore(groups, work, group);
    EXPECT_EQ(first.column, 1);
    EXPECT_TRUE(first.appended);
    EXPECT_EQ(groups.text(PaletteFields::GroupName, 1), "Colour");
    EXPECT_EQ(std::get<qint16>(groups.value(PaletteFields::GroupChannelCount, 1)), 4);

    ASSERT_EQ(group.add(Input("Blue", "2", ValuePanelMode::Rgb, {"", "0", "0", "255"})),
              std::nullopt);
    const StoredGroup second = SaveGroupToStore(groups, work, group);
    EXPECT_EQ(second.column, 1);
    EXPECT_FALSE(second.appended);
    EXPECT_EQ(groups.count(), 2);
    ASSERT_NE(groups.table(PaletteFields::GroupTable, 1), nullptr);
    EXPECT_EQ(*groups.table(PaletteFields::GroupTable, 1), group.toTable());
    EXPECT_EQ(work, group.toTable());
}

TEST(PaletteGroupStore, DeletingTheLastEntryRemovesTheGroup) {
    RecordStore groups(3);
    TextTable work;
    GroupEntries colour = ColourGroup();
    ASSERT_EQ(colour.add(Input("Blue", "2", ValuePanelMode::Rgb)), std::nullopt);
    SaveGroupToStore(groups, work, colour);
    GroupEntries gobo("Gobo", ChannelsWithLetters({"I"}));
    ASSERT_EQ(gobo.add(Input("Open", "11", ValuePanelMode::Slider)), std::nullopt);
    SaveGroupToStore(groups, work, gobo);

    EXPECT_FALSE(DeleteEntryAndSave(groups, work, colour, 0));
    EXPECT_EQ(groups.table(PaletteFields::GroupTable, 0)->rowUpper(), 1);
    EXPECT_EQ(groups.table(PaletteFields::GroupTable, 0)->cell(0, 1), "Blue");

    EXPECT_TRUE(DeleteEntryAndSave(groups, work, colour, 0));
    EXPECT_EQ(groups.names(), QStringList({"Gobo"}));
    EXPECT_TRUE(DeleteEntryAndSave(groups, work, gobo, 0));
    EXPECT_EQ(groups.count(), 0);
    EXPECT_FALSE(groups.isNonEmpty());
}

#include "palettes/ValuePanel.h"
#include "tests/core/palettes/PaletteTestGroups.h"

#include <gtest/gtest.h>

using namespace palettes;

TEST(PaletteValuePanel, IsChosenByTheClickedLetterWhenTheGroupHoldsItsWholeSet) {
    struct Case {
        const char* clicked;
        QStringList group;
        ValuePanelMode expected;
    };
    const Case cases[] = {
        {"F", {"H", "E", "F"}, ValuePanelMode::PanTilt},
        {"E", {"E", "H"}, ValuePanelMode::Slider},
        {"B", {"B", "C", "D"}, ValuePanelMode::Cmy},
        {"C", {"B", "C"}, ValuePanelMode::Slider},
        {"V", {"B", "T", "U", "V"}, ValuePanelMode::Rgb},
        {"H", {"T", "U", "V"}, ValuePanelMode::Slider},
        {"t", {"t", "u", "v"}, ValuePanelMode::Slider},
        {"", {"", "E", "F"}, ValuePanelMode::Slider},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseValuePanel(c.clicked, ChannelsWithLetters(c.group)), c.expected)
            << c.clicked << " in " << c.group.join(',').toStdString();
    }
}

TEST(PaletteValuePanel, SwatchColumnFollowsTheFirstColourChannelsSet) {
    const std::pair<QStringList, bool> cases[] = {
        {{"H", "B", "C", "D"}, true},
        {{"B", "T", "U", "V"}, false}, // cyan first: the complete RGB
                                       // set is never looked at
        {{"T", "U", "V", "B"}, true},
        {{"T", "U"}, false},
        {{"E", "F"}, false},
    };
    for (const auto& [letters, shown] : cases) {
        EXPECT_EQ(ShowsSwatchColumn(ChannelsWithLetters(letters)), shown)
            << letters.join(',').toStdString();
    }
}

TEST(PaletteValuePanel, AClickSelectsAnEntryOrTheNewEntryRowAndTheNearestChannel) {
    struct Case {
        int row, column, channels, entries;
        CellChoice expected;
    };
    const Case cases[] = {
        {0, 0, 3, 2, {1, 3, false, true}},    // header and name column: first entry and channel
        {2, 6, 2, 2, {2, 4, false, true}},    // a surplus "-" column: the last channel
        {7, 4, 2, 3, {4, 4, true, false}},    // below the entries: the new-entry row
        {10, 3, 1, 10, {10, 3, false, true}}, // a full group has no new-entry row
    };
    for (const Case& c : cases) {
        const CellChoice choice = ChooseCell(c.row, c.column, c.channels, c.entries);
        EXPECT_EQ(std::tuple(choice.row, choice.column, choice.addsEntry, choice.enablesDelete),
                  std::tuple(c.expected.row, c.expected.column, c.expected.addsEntry,
                             c.expected.enablesDelete))
            << c.row << "," << c.column;
    }
}

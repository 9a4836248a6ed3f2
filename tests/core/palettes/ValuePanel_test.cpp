#include "tests/core/palettes/PaletteTestGroups.h"
#include "palettes/ValuePanel.h"

#include <gtest/gtest.h>

using namespace palettes;

TEST(PaletteValuePanel, IsChosenByTheClickedLetterWhenTheGroupHoldsItsWholeSet) {
    struct Case {
        const char* clicked;
        QStringList group;
        ValuePanelMode expected;
    };
    const Case cases[] = {
        {"E", {"E", "F"}, ValuePanelMode::PanTilt},
        {"F", {"H", "E", "F"}, ValuePanelMode::PanTilt},
        {"E", {"E", "H"}, ValuePanelMode::Slider},
        {"B", {"B", "C", "D"}, ValuePanelMode::Cmy},
        {"C", {"B", "C"}, ValuePanelMode::Slider},
        {"T", {"T", "U", "V", "H"}, ValuePanelMode::Rgb},
        {"V", {"B", "T", "U", "V"}, ValuePanelMode::Rgb},
        {"T", {"T", "U"}, ValuePanelMode::Slider},
        {"H", {"T", "U", "V"}, ValuePanelMode::Slider},
        {"t", {"t", "u", "v"}, ValuePanelMode::Slider},
        {"", {"", "E", "F"}, ValuePanelMode::Slider},
        {"0", {"0"}, ValuePanelMode::Slider},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChooseValuePanel(c.clicked, ChannelsWithLetters(c.group)), c.expected)
            << c.clicked << " in " << c.group.join(',').toStdString();
    }
}

TEST(PaletteValuePanel, SwatchColumnFollowsTheFirstColourChannelsSet) {
    const std::pair<QStringList, bool> cases[] = {
        {{"T", "U", "V", "H"}, true},  {{"H", "B", "C", "D"}, true},
        {{"B", "T", "U", "V"}, false}, // cyan first: the complete RGB set is never looked at
        {{"T", "U", "V", "B"}, true},  {{"T", "U"}, false},
        {{"E", "F"}, false},           {{}, false},
    };
    for (const auto& [letters, shown] : cases) {
        EXPECT_EQ(ShowsSwatchColumn(ChannelsWithLetters(letters)), shown)
            << letters.join(',').toStdString();
    }
}

TEST(PaletteValuePanel, BoxCaptionsNameTheLastChannelOfEachLetter) {
    using Captions = std::array<std::optional<QString>, 3>;
    EXPECT_EQ(BoxCaptions(ValuePanelMode::Rgb, ChannelsWithLetters({"H", "T", "U", "V", "T"})),
              (Captions{" Ch5 -Red:", " Ch3 -Green:", " Ch4 -Blue:"}));
    EXPECT_EQ(BoxCaptions(ValuePanelMode::Cmy, ChannelsWithLetters({"D", "C", "B"})),
              (Captions{" Ch3 -Cyan:", " Ch2 -Magenta:", " Ch1 -Yellow:"}));
    EXPECT_EQ(BoxCaptions(ValuePanelMode::PanTilt, ChannelsWithLetters({"E", "F", "T"})),
              (Captions{std::nullopt, " Ch1 -Pan:", " Ch2 -Tilt:"}));
    EXPECT_EQ(BoxCaptions(ValuePanelMode::Slider, ChannelsWithLetters({"E", "F"})), Captions{});
}

TEST(PaletteValuePanel, LoadsAnEntrysValuesIntoTheBoxesOfItsPanel) {
    const GroupChannels channels = ChannelsWithLetters({"H", "V", "U", "T", "E", "F", "D"});
    const QStringList values{"9", "3", "2", "1", "40", "50", "7"};
    struct Case {
        ValuePanelMode mode;
        int clicked;
        PanelLoad expected;
    };
    const Case cases[] = {
        {ValuePanelMode::Rgb, 1, {std::nullopt, "1", "2", "3"}},
        {ValuePanelMode::PanTilt, 4, {std::nullopt, std::nullopt, "40", "50"}},
        {ValuePanelMode::Slider, 0, {"9", std::nullopt, std::nullopt, std::nullopt}},
        {ValuePanelMode::Slider, 6, {"7", std::nullopt, std::nullopt, std::nullopt}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PanelLoadForEntry(c.mode, channels, values, c.clicked), c.expected)
            << static_cast<int>(c.mode) << " clicked " << c.clicked;
    }
}

TEST(PaletteValuePanel, AClickSelectsAnEntryOrTheNewEntryRowAndTheNearestChannel) {
    struct Case {
        int row, column, channels, entries;
        int expectedRow, expectedColumn;
        bool adds, enablesDelete;
    };
    const Case cases[] = {
        {0, 0, 3, 2, 1, 3, false, true},    // header and name column: first entry, first channel
        {2, 2, 3, 2, 2, 3, false, true},    // swatch column
        {2, 6, 2, 2, 2, 4, false, true},    // a surplus "-" column: the last channel
        {7, 4, 2, 3, 4, 4, true, false},    // below the entries: the new-entry row
        {4, 3, 2, 3, 4, 3, true, false},    // the new-entry row itself
        {1, 3, 1, 0, 1, 3, true, false},    // an empty group
        {10, 3, 1, 10, 10, 3, false, true}, // a full group has no new-entry row
    };
    for (const Case& c : cases) {
        const CellChoice choice = ChooseCell(c.row, c.column, c.channels, c.entries);
        EXPECT_EQ(choice.row, c.expectedRow) << c.row << "," << c.column;
        EXPECT_EQ(choice.column, c.expectedColumn) << c.row << "," << c.column;
        EXPECT_EQ(choice.addsEntry, c.adds) << c.row << "," << c.column;
        EXPECT_EQ(choice.enablesDelete, c.enablesDelete) << c.row << "," << c.column;
    }
}

#include "palettes/Colours.h"
#include "palettes/ValueRules.h"

#include <gtest/gtest.h>

using namespace palettes;

TEST(PaletteColours, BoxesMixRgbOrCmyAndBlackIsKeptAsOne) {
    struct Case {
        ColourMix mix;
        ColourBoxes boxes;
        Rgb expected;
    };
    const Case cases[] = {
        {ColourMix::Cmy, {"255", "0", "0"}, {0, 255, 255}},
        {ColourMix::Rgb, {"12.5", "13.5", "1e2"}, {12, 14, 100}},
        // For CMY the difference is rounded: 255 - 12.5 = 242.5 gives 242, not 255 - 12.
        {ColourMix::Cmy, {"12.5", "13.5", " 0 "}, {242, 242, 255}},
        {ColourMix::Cmy, {"abc", "", "-"}, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColourOfBoxes(c.mix, c.boxes), c.expected) << c.boxes.first.toStdString();
    }
    const ColourBoxes cmy = BoxesOfColour(ColourMix::Cmy, {0, 255, 200});
    EXPECT_EQ(QStringList({cmy.first, cmy.second, cmy.third}), QStringList({"255", "0", "55"}));
    EXPECT_EQ(RgbOf(ColourValue({1, 2, 3})), (Rgb{1, 2, 3}));
    EXPECT_EQ(SwatchValue({0, 0, 0}), 1);
    EXPECT_EQ(SwatchValue({0, 0, 1}), 0x010000);
}

TEST(PaletteColours, StoredEntrySwatchCollectsValuesByLetter) {
    struct Case {
        QStringList letters;
        QStringList values;
        std::optional<qint32> expected;
    };
    const Case cases[] = {
        {{"B", "C", "D"}, {"255", "0", "0"}, 0xFFFF00},
        {{"B", "C", "D"}, {"255", "255", "255"}, 1},
        {{"T", "U", "V", "T"}, {"1", "2", "3", "9"}, 0x030209}, // the later red wins
        {{"B", "C", "D", "T", "U", "V"}, {"255", "0", "0", "1", "2", "3"}, 0x030201},
        {{"B", "C", "T", "U"}, {"1", "2", "3", "4"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredEntrySwatch(c.letters, c.values), c.expected)
            << c.letters.join(',').toStdString();
    }
}

TEST(PaletteValues, BoxTextsAreKeptCorrectedOrRefused) {
    using Outcome = ValueCheck::Outcome;
    const std::pair<const char*, Outcome> cases[] = {
        {"", Outcome::Corrected},     {"255.6", Outcome::Corrected}, {"-0.1", Outcome::Corrected},
        {"12.5", Outcome::InRange},   {" 7 ", Outcome::InRange},     {"1e2", Outcome::InRange},
        {"1,5", Outcome::NotANumber}, {"&H10", Outcome::NotANumber}, {"1e999", Outcome::NotANumber},
    };
    for (const auto& [text, outcome] : cases) {
        EXPECT_EQ(CheckValueText(text).outcome, outcome) << text;
    }
}

#include "tests/core/palettes/PaletteTestGroups.h"
#include "palettes/Colours.h"
#include "palettes/ValueRules.h"

#include <gtest/gtest.h>

using namespace palettes;

namespace {

qint32 Colour(int red, int green, int blue) {
    return red + 256 * green + 65536 * blue;
}

} // namespace

TEST(PaletteColours, ColourValuesSplitIntoTheirComponents) {
    const std::pair<Rgb, qint32> cases[] = {
        {{255, 0, 0}, 0x0000FF}, {{0, 255, 0}, 0x00FF00},     {{0, 0, 255}, 0xFF0000},
        {{1, 2, 3}, 0x030201},   {{255, 255, 255}, 0xFFFFFF},
    };
    for (const auto& [rgb, value] : cases) {
        EXPECT_EQ(ColourValue(rgb), value);
        EXPECT_EQ(RgbOf(value), rgb) << value;
    }
    EXPECT_EQ(SwatchValue({0, 0, 0}), 1) << "black is kept as 1";
    EXPECT_EQ(SwatchValue({1, 0, 0}), 1);
    EXPECT_EQ(SwatchValue({0, 0, 1}), 0x010000);
}

TEST(PaletteColours, BoxesMixRgbOrCmyWithHalvesRoundedToEven) {
    struct Case {
        ColourMix mix;
        ColourBoxes boxes;
        Rgb expected;
    };
    const Case cases[] = {
        {ColourMix::Rgb, {"255", "128", "0"}, {255, 128, 0}},
        {ColourMix::Cmy, {"255", "0", "0"}, {0, 255, 255}},
        {ColourMix::Rgb, {"12.5", "13.5", "1e2"}, {12, 14, 100}},
        // For CMY the difference is rounded: 255 - 12.5 = 242.5 gives 242, not 255 - 12.
        {ColourMix::Cmy, {"12.5", "13.5", " 0 "}, {242, 242, 255}},
        {ColourMix::Rgb, {"abc", "", "-"}, {0, 0, 0}},
        {ColourMix::Cmy, {"abc", "", "-"}, {255, 255, 255}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ColourOfBoxes(c.mix, c.boxes), c.expected) << c.boxes.first.toStdString();
    }
    const ColourBoxes cmy = BoxesOfColour(ColourMix::Cmy, {0, 255, 200});
    EXPECT_EQ(QStringList({cmy.first, cmy.second, cmy.third}), QStringList({"255", "0", "55"}));
    const ColourBoxes rgb = BoxesOfColour(ColourMix::Rgb, {0, 255, 200});
    EXPECT_EQ(QStringList({rgb.first, rgb.second, rgb.third}), QStringList({"0", "255", "200"}));
}

TEST(PaletteColours, StoredEntrySwatchCollectsValuesByLetter) {
    struct Case {
        QStringList letters;
        QStringList values;
        std::optional<qint32> expected;
    };
    const Case cases[] = {
        {{"T", "U", "V"}, {"255", "128", "0"}, Colour(255, 128, 0)},
        {{"T", "U", "V"}, {"0", "0", "0"}, 1},
        {{"B", "C", "D"}, {"255", "0", "0"}, Colour(0, 255, 255)},
        {{"B", "C", "D"}, {"255", "255", "255"}, 1},
        {{"H", "V", "T", "U"}, {"7", "3", "1", "2"}, Colour(1, 2, 3)},
        {{"T", "U", "V", "T"}, {"1", "2", "3", "9"}, Colour(9, 2, 3)}, // the later red wins
        {{"B", "C", "D", "T", "U", "V"}, {"255", "0", "0", "1", "2", "3"}, Colour(1, 2, 3)},
        {{"B", "C", "T", "U"}, {"1", "2", "3", "4"}, std::nullopt},
        {{"T", "U", "V"}, {"12.5", "13.5", "2"}, Colour(12, 14, 2)},
        {{"E", "F"}, {"1", "2"}, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StoredEntrySwatch(c.letters, c.values), c.expected)
            << c.letters.join(',').toStdString() << " " << c.values.join(',').toStdString();
    }
}

TEST(PaletteValues, BoxTextsAreKeptCorrectedOrRefused) {
    using Outcome = ValueCheck::Outcome;
    struct Case {
        const char* text;
        Outcome outcome;
        const char* corrected;
        double value;
    };
    const Case cases[] = {
        {"", Outcome::Corrected, "0", 0},        {"300", Outcome::Corrected, "255", 0},
        {"255.6", Outcome::Corrected, "255", 0}, {"-5", Outcome::Corrected, "0", 0},
        {"-0.1", Outcome::Corrected, "0", 0},    {"0", Outcome::InRange, "", 0},
        {"255", Outcome::InRange, "", 255},      {"12.5", Outcome::InRange, "", 12.5},
        {" 7 ", Outcome::InRange, "", 7},        {"1e2", Outcome::InRange, "", 100},
        {"abc", Outcome::NotANumber, "", 0},     {"1,5", Outcome::NotANumber, "", 0},
        {"&H10", Outcome::NotANumber, "", 0},    {"-", Outcome::NotANumber, "", 0},
        {"1e999", Outcome::NotANumber, "", 0},
    };
    for (const Case& c : cases) {
        const ValueCheck check = CheckValueText(c.text);
        EXPECT_EQ(check.outcome, c.outcome) << c.text;
        EXPECT_EQ(check.corrected, c.corrected) << c.text;
        if (c.outcome == Outcome::InRange) {
            EXPECT_EQ(check.value, c.value) << c.text;
        }
        EXPECT_EQ(IsStorableValue(c.text), c.outcome == Outcome::InRange) << c.text;
    }
}

TEST(PaletteValues, WholeValuesRoundHalvesToEvenWithinTheByte) {
    const std::pair<double, int> cases[] = {
        {12.5, 12}, {13.5, 14}, {127.5, 128}, {128.5, 128}, {0.4, 0}, {300, 255}, {-3, 0},
    };
    for (const auto& [value, whole] : cases) {
        EXPECT_EQ(WholeValue(value), whole) << value;
    }
    EXPECT_EQ(BoxNumber("254.5"), 254);
    EXPECT_EQ(BoxNumber("x"), 0);
}

TEST(PaletteValues, PadPinsThePointerToItsEdgesAndCentresTheMarker) {
    const PadPoint pinned = ClampToPad(300, -4);
    EXPECT_EQ(pinned.pan, 255);
    EXPECT_EQ(pinned.tilt, 0);
    const PadPoint inside = ClampToPad(127.5, 12.25);
    EXPECT_EQ(inside.pan, 127.5);
    EXPECT_EQ(inside.tilt, 12.25);

    EXPECT_EQ(MarkerAt(128, 128), (MarkerOrigin{120, 120}));
    EXPECT_EQ(MarkerAt(127.5, 0), (MarkerOrigin{120, -8})); // 119.5 to the even 120
    EXPECT_EQ(MarkerAt(128.5, 255), (MarkerOrigin{120, 247}));
}

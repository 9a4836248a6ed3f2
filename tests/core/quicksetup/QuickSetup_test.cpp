#include "quicksetup/QuickSetup.h"
#include "tests/support/ChannelTestRows.h"

#include <gtest/gtest.h>

using namespace quicksetup;
using enum channels::ChannelColumn;
using Attr = StandardAttribute;

namespace {

BoxTexts Boxes(std::initializer_list<std::pair<Attr, const char*>> filled) {
    BoxTexts boxes;
    for (const auto& [attribute, text] : filled) {
        boxes[BoxIndex(attribute)] = QString::fromUtf8(text);
    }
    return boxes;
}

// The cells the mode decides: name, type word and letter, attribute name and letter.
QStringList Summaries(const ChannelRows& rows) {
    QStringList summaries;
    for (const ChannelRow& row : rows) {
        summaries << QStringList{row[ChannelName], row[ChannelTypeName], row[ChannelTypeLetter],
                                 row[AttributeName], row[AttributeTypeLetter]}
                         .join(u'|');
    }
    return summaries;
}

} // namespace

TEST(QuickSetupApply, ColourMixesFollowTheMode) {
    const BoxTexts mixes =
        Boxes({{Attr::ColorMix1, "3"}, {Attr::ColorMix2, "1"}, {Attr::ColorMix3, "2"}});
    const std::pair<ColorMixMode, QStringList> cases[] = {
        {ColorMixMode::None,
         {"C.Mix 2|LTP|L|C.Mix 2|U", "C.Mix 3|LTP|L|C.Mix 3|V", "C.Mix 1|LTP|L|C.Mix 1|T"}},
        {ColorMixMode::Rgb, {"Green|LTP|L|Green|U", "Blue|LTP|L|Blue|V", "Red|LTP|L|Red|T"}},
        {ColorMixMode::Cmy,
         {"Magenta|LTP|L|Magenta|C", "Yellow|LTP|L|Yellow|D", "Cyan|LTP|L|Cyan|B"}},
    };
    for (const auto& [mode, expected] : cases) {
        ChannelRows rows{NumberOnly(1), NumberOnly(2), NumberOnly(3)};
        ApplyQuickSetup(rows, mixes, mode);
        EXPECT_EQ(Summaries(rows), expected);
    }
}

TEST(QuickSetupOk, RefusesDuplicatesNumbersNoRowCarriesAndFineBoxesAlone) {
    // Channel 2 is missing: a count change dropped the row that carried it.
    const ChannelRows rows{NumberOnly(1), NumberOnly(3), NumberOnly(4), NumberOnly(5)};
    const QString prompt = RangePrompt(5);
    struct Case {
        BoxTexts boxes;
        std::optional<QString> message;
        std::optional<Attr> focus;
    };
    const Case cases[] = {
        {Boxes({{Attr::Dimmer, "1"}, {Attr::Tilt, "3"}, {Attr::TiltFine, "4"}}), {}, {}},
        // The number of the first box, in box order, that recurs.
        {Boxes({{Attr::Dimmer, "4"}, {Attr::Iris, "3"}, {Attr::Zoom, "3"}, {Attr::Speed2, "4"}}),
         "通道 4被重复设置，请修改...",
         {}},
        {Boxes({{Attr::Shutter, "2"}}), prompt, Attr::Shutter},
        {Boxes({{Attr::Zoom, "99999999999999999999999"}}), prompt, Attr::Zoom},
        {Boxes({{Attr::Pan, "1"}, {Attr::TiltFine, "5"}}), "请先填写 Tilt 通道...", Attr::Tilt},
    };
    for (const Case& c : cases) {
        const std::optional<Refusal> refusal = CheckQuickSetup(c.boxes, rows, 5, prompt);
        EXPECT_EQ(refusal ? std::optional(refusal->message) : std::nullopt, c.message);
        EXPECT_EQ(refusal ? refusal->focus : std::nullopt, c.focus);
    }
}

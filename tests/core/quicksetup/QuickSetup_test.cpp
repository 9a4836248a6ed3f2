#include "quicksetup/QuickSetup.h"
#include "tests/support/ChannelTestRows.h"

#include <gtest/gtest.h>

using namespace quicksetup;
using namespace channels;
using enum channels::ChannelColumn;
using Attr = StandardAttribute;

namespace {

ChannelRows NumberedRows(std::initializer_list<int> numbers) {
    ChannelRows rows;
    for (const int number : numbers) {
        rows.push_back(NumberOnly(number));
    }
    return rows;
}

BoxTexts Boxes(std::initializer_list<std::pair<Attr, const char*>> filled) {
    BoxTexts boxes;
    for (const auto& [attribute, text] : filled) {
        boxes[BoxIndex(attribute)] = QString::fromUtf8(text);
    }
    return boxes;
}

ChannelRow Row(const QStringList& cells) {
    ChannelRow row;
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        row.cells[column] = cells.value(static_cast<qsizetype>(column));
    }
    return row;
}

const ChannelRow& RowOf(const ChannelRows& rows, int channel) {
    return rows[*FindChannelRow(rows, channel)];
}

// Name, channel type word and letter, attribute name: what the pairing changes.
QString Summary(const ChannelRow& row) {
    return QStringList{row[ChannelName], row[ChannelTypeName], row[ChannelTypeLetter],
                       row[AttributeName]}
        .join(u'|');
}

QStringList Summaries(const ChannelRows& rows) {
    QStringList summaries;
    for (const ChannelRow& row : rows) {
        summaries << Summary(row);
    }
    return summaries;
}

const BoxTexts MovingHead = Boxes({{Attr::Dimmer, "1"},
                                   {Attr::Pan, "2"},
                                   {Attr::Tilt, "3"},
                                   {Attr::PanFine, "4"},
                                   {Attr::TiltFine, "5"},
                                   {Attr::ColorMix1, "6"},
                                   {Attr::ColorMix2, "7"},
                                   {Attr::ColorMix3, "8"}});

} // namespace

TEST(QuickSetupApply, WritesAnRgbCmyOrPlainMovingHeadAsCompleteRows) {
    struct Case {
        ColorMixMode mode;
        QStringList names;
        QStringList letters;
    };
    const Case cases[] = {
        {ColorMixMode::Rgb, {"Red", "Green", "Blue"}, {"T", "U", "V"}},
        {ColorMixMode::Cmy, {"Cyan", "Magenta", "Yellow"}, {"B", "C", "D"}},
        {ColorMixMode::None, {"C.Mix 1", "C.Mix 2", "C.Mix 3"}, {"T", "U", "V"}},
    };
    for (const Case& c : cases) {
        // Fine rows already grouped under their coarse rows, and one row set up by hand: every
        // box lands on the row that carries its channel, over whatever it held.
        ChannelRows rows = NumberedRows({1, 2, 4, 3, 5, 6, 7, 8});
        rows[5] = MakeChannel(6, "Zoom", "05", "Left", "LTP", "Zoom", "L", "Q");

        EXPECT_TRUE(ApplyQuickSetup(rows, MovingHead, c.mode).isEmpty());

        const QList<ChannelRow> expected{
            Row({"1", "Dimmer", "01", "Left", "HTP", "100", "1", "N", "Dimmer", "255", "255", "0",
                 "H", "H"}),
            Row({"2", "Pan", "03", "Right", "16bit", "100", "1", "N", "Pan", "128", "-1", "-1", "s",
                 "E"}),
            Row({"3", "Tilt", "03", "Left", "16bit", "100", "1", "N", "Tilt", "128", "-1", "-1",
                 "s", "F"}),
            Row({"4", "Pan fine", "-", "-", "Part", "100", "1", "N", "Ch2 fine", "128", "-1", "-1",
                 "L", "E"}),
            Row({"5", "Tilt fine", "-", "-", "Part", "100", "1", "N", "Ch3 fine", "128", "-1", "-1",
                 "L", "F"}),
            Row({"6", c.names[0], "10", "Left", "LTP", "100", "1", "N", c.names[0], "0", "-1", "-1",
                 "L", c.letters[0]}),
            Row({"7", c.names[1], "10", "Right", "LTP", "100", "1", "N", c.names[1], "0", "-1",
                 "-1", "L", c.letters[1]}),
            Row({"8", c.names[2], "09", "Right", "LTP", "100", "1", "N", c.names[2], "0", "-1",
                 "-1", "L", c.letters[2]}),
        };
        for (int channel = 1; channel <= 8; ++channel) {
            EXPECT_EQ(RowOf(rows, channel), expected[channel - 1])
                << c.names[0].toStdString() << " channel " << channel;
        }
    }
}

TEST(QuickSetupApply, KeepsTheDefaultsOwnPairingsAndNames) {
    // Pan without its fine box stays 8 bit; Gobo 1 pairs LTP with I and the rotations Instant
    // with L, as stored files expect.
    ChannelRows rows = NumberedRows({1, 2, 3, 4, 5});
    ApplyQuickSetup(rows,
                    Boxes({{Attr::Pan, "1"},
                           {Attr::Gobo1, "2"},
                           {Attr::Gobo1Rot, "3"},
                           {Attr::ColorWheel1, "4"},
                           {Attr::Speed2, "5"}}),
                    ColorMixMode::Rgb);
    EXPECT_EQ(rows, (ChannelRows{
                        Row({"1", "Pan", "03", "Right", "LTP", "100", "1", "N", "Pan", "128", "-1",
                             "-1", "L", "E"}),
                        Row({"2", "Gobo 1", "06", "Left", "LTP", "100", "1", "N", "Gobo 1", "0",
                             "-1", "-1", "I", "I"}),
                        Row({"3", "Gobo 1 Rot", "07", "Left", "Instant", "100", "1", "N",
                             "Gobo 1 R", "0", "-1", "-1", "L", "K"}),
                        Row({"4", "Col.Wh.1", "04", "Left", "Instant", "100", "1", "N", "Color W1",
                             "0", "-1", "-1", "I", "A"}),
                        Row({"5", "Speed 2", "08", "Right", "LTP", "100", "1", "N", "Uncategorized",
                             "0", "-1", "-1", "L", "0"}),
                    }));
}

TEST(QuickSetupApply, EmptyBoxesWriteNothing) {
    ChannelRows rows = NumberedRows({1, 2});
    rows[1] = MakeChannel(2, "Zoom", "05", "Left", "LTP", "Zoom", "L", "Q");
    const ChannelRows before = rows;
    EXPECT_TRUE(ApplyQuickSetup(rows, BoxTexts{}, ColorMixMode::Cmy).isEmpty());
    EXPECT_EQ(rows, before);
}

TEST(QuickSetupApply, KeepsSixteenBitPairsWhole) {
    // Channel 1 is a 16-bit pan with fine part 2, channel 3 a 16-bit gobo with fine part 4.
    const ChannelRows start{
        MakeChannel(1, "Pan", "03", "Right", "16bit", "Pan", "s", "E"),
        MakeFinePart(2, "Pan fine", 1, "E"),
        MakeChannel(3, "Gobo", "06", "Left", "16bit", "Gobo1", "S", "I"),
        MakeFinePart(4, "Gobo fine", 3, "I"),
        NumberOnly(5),
        NumberOnly(6),
    };
    const QString pan = "Pan|16bit|s|Pan";
    const QString panFine = "Pan fine|Part|L|Ch1 fine";
    const QString gobo = "Gobo|16bit|S|Gobo1";
    const QString goboFine = "Gobo fine|Part|L|Ch3 fine";
    const QString empty = "|||";
    const QString releasePan = "该16bit通道由通道 1 [Pan] 与通道 2 [Pan fine] 组成，因此，更改通道 "
                               "1 就必须删除通道 2...";
    const QString releaseGobo = "该16bit通道由通道 3 [Gobo] 与通道 4 [Gobo fine] 组成，因此，更改"
                                "通道 3 就必须删除通道 4...";
    struct Case {
        const char* what;
        BoxTexts boxes;
        QStringList announcements;
        QStringList after;
    };
    const Case cases[] = {
        {"coarse overwritten",
         Boxes({{Attr::Dimmer, "1"}}),
         {releasePan},
         {"Dimmer|HTP|H|Dimmer", empty, gobo, goboFine, empty, empty}},
        {"coarse and its fine part both overwritten",
         Boxes({{Attr::Dimmer, "1"}, {Attr::Iris, "2"}}),
         {},
         {"Dimmer|HTP|H|Dimmer", "Iris|LTP|L|Iris", gobo, goboFine, empty, empty}},
        {"the same pair written again",
         Boxes({{Attr::Pan, "1"}, {Attr::PanFine, "2"}}),
         {},
         {pan, panFine, gobo, goboFine, empty, empty}},
        {"the fine part moved: no second fine part",
         Boxes({{Attr::Pan, "1"}, {Attr::PanFine, "5"}}),
         {releasePan},
         {pan, empty, gobo, goboFine, panFine, empty}},
        {"fine part overwritten: pan falls back",
         Boxes({{Attr::Iris, "2"}}),
         {},
         {"Pan|LTP|L|Pan", "Iris|LTP|L|Iris", gobo, goboFine, empty, empty}},
        {"fine part taken by another pair: gobo falls back",
         Boxes({{Attr::Pan, "5"}, {Attr::PanFine, "4"}}),
         {},
         {pan, panFine, "Gobo|Instant|I|Gobo1", "Pan fine|Part|L|Ch5 fine", pan, empty}},
        {"two coarse channels overwritten, messages in box order, names as before",
         Boxes({{Attr::Dimmer, "3"}, {Attr::Iris, "1"}}),
         {releaseGobo, releasePan},
         {"Iris|LTP|L|Iris", empty, "Dimmer|HTP|H|Dimmer", empty, empty, empty}},
    };
    for (const Case& c : cases) {
        ChannelRows rows = start;
        EXPECT_EQ(ApplyQuickSetup(rows, c.boxes, ColorMixMode::None), c.announcements) << c.what;
        EXPECT_EQ(Summaries(rows), c.after) << c.what;
    }
}

TEST(QuickSetupOk, RefusesDuplicatesNumbersNoRowCarriesAndFineBoxesAlone) {
    const ChannelRows rows = NumberedRows({1, 2, 3, 4, 5, 6, 7, 8});
    const QString prompt = RangePrompt(8);
    struct Case {
        BoxTexts boxes;
        std::optional<QString> message;
        std::optional<Attr> focus;
    };
    const Case cases[] = {
        {MovingHead, std::nullopt, std::nullopt},
        {Boxes({{Attr::Dimmer, "5"}, {Attr::Iris, "5"}}), "通道 5被重复设置，请修改...", {}},
        // The first box, in box order, whose number recurs is named, once.
        {Boxes({{Attr::Dimmer, "7"}, {Attr::Iris, "3"}, {Attr::Zoom, "3"}, {Attr::Speed2, "7"}}),
         "通道 7被重复设置，请修改...",
         {}},
        {Boxes({{Attr::Iris, "9"}, {Attr::Zoom, "9"}}), "通道 9被重复设置，请修改...", {}},
        {Boxes({{Attr::Dimmer, "1"}, {Attr::Iris, "9"}}), prompt, Attr::Iris},
        {Boxes({{Attr::Shutter, "abc"}}), prompt, Attr::Shutter},
        {Boxes({{Attr::Zoom, "99999999999999999999999"}}), prompt, Attr::Zoom},
        {Boxes({{Attr::Zoom, "1.5"}}), prompt, Attr::Zoom},
        {Boxes({{Attr::Focus, "-3"}}), prompt, Attr::Focus},
        {Boxes({{Attr::PanFine, "4"}}), "请先填写 Pan 通道...", Attr::Pan},
        {Boxes({{Attr::Pan, "2"}, {Attr::TiltFine, "5"}}), "请先填写 Tilt 通道...", Attr::Tilt},
        {Boxes({{Attr::PanFine, "12"}}), prompt, Attr::PanFine},
    };
    for (const Case& c : cases) {
        const std::optional<Refusal> refusal = CheckQuickSetup(c.boxes, rows, 8, prompt);
        ASSERT_EQ(refusal.has_value(), c.message.has_value())
            << c.message.value_or("passes").toStdString();
        if (refusal) {
            EXPECT_EQ(refusal->message, *c.message);
            EXPECT_EQ(refusal->focus, c.focus) << c.message->toStdString();
        }
    }

    // A channel in range that no row carries (rows lost to a count change) is refused too.
    const ChannelRows gap = NumberedRows({1, 3});
    EXPECT_EQ(CheckQuickSetup(Boxes({{Attr::Dimmer, "2"}}), gap, 2, "p")->focus, Attr::Dimmer);
}

TEST(QuickSetupBoxes, RangeRuleOnEveryChange) {
    struct Case {
        const char* text;
        int count;
        BoxChange change;
    };
    const Case cases[] = {
        {"", 12, BoxChange::Nothing},
        {"0", 12, BoxChange::Emptied},
        {"05", 12, BoxChange::Emptied},
        {"1", 12, BoxChange::Accepted},
        {"12", 12, BoxChange::Accepted},
        {"1", 1, BoxChange::Accepted},
        {"13", 12, BoxChange::OutOfRange},
        {"2", 1, BoxChange::OutOfRange},
        {"abc", 12, BoxChange::OutOfRange},
        {"3x", 12, BoxChange::OutOfRange},
        {"99999999999999999999999", 512, BoxChange::OutOfRange},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckChannelBoxRange(c.text, c.count), c.change) << c.text << " of " << c.count;
    }
    EXPECT_EQ(RangePrompt(1), "请输入正确的DMX通道值：1");
    EXPECT_EQ(RangePrompt(512), "请输入正确的DMX通道值范围：1-512");
}

TEST(QuickSetupBoxes, ChannelsAlreadyFinePartsRefusedOutsideTheFineBoxes) {
    // Fine parts 12 and 6, grouped under their coarse channels: listed in row order.
    const ChannelRows rows{
        MakeChannel(11, "Pan", "03", "Right", "16bit", "Pan", "s", "E"),
        MakeFinePart(12, "Pan fine", 11, "E"),
        MakeChannel(5, "Tilt", "03", "Left", "16bit", "Tilt", "s", "F"),
        MakeFinePart(6, "Tilt fine", 5, "F"),
        MakeChannel(7, "Zoom", "05", "Left", "LTP", "Zoom", "L", "Q"),
    };
    const std::vector<qlonglong> low = FinePartChannels(rows);
    EXPECT_EQ(low, (std::vector<qlonglong>{12, 6}));

    EXPECT_EQ(CheckChannelBoxNotFine(Attr::Dimmer, "12", low),
              "Ch 12 已被用于16bit的微调通道，请重新输入...");
    EXPECT_EQ(CheckChannelBoxNotFine(Attr::Speed2, "6", low),
              "Ch 6 已被用于16bit的微调通道，请重新输入...");
    for (const char* text : {"", "7", "abc", "99999999999999999999999"}) {
        EXPECT_EQ(CheckChannelBoxNotFine(Attr::Dimmer, text, low), std::nullopt) << text;
    }
    EXPECT_EQ(CheckChannelBoxNotFine(Attr::PanFine, "12", low), std::nullopt);
    EXPECT_EQ(CheckChannelBoxNotFine(Attr::TiltFine, "6", low), std::nullopt);
}

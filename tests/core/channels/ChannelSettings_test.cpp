#include "channels/ChannelSettings.h"
#include "channels/Vocabulary.h"
#include "tests/support/ChannelTestRows.h"

#include <gtest/gtest.h>

using namespace channels;
using enum channels::ChannelColumn;
using Result = AcceptOutcome::Result;

namespace {

ChannelRow Pan(int number, const QString& typeName = "LTP", const QString& typeLetter = "L") {
    return MakeChannel(number, "Pan", "03", "Right", typeName, "Pan", typeLetter, "E");
}

ChannelRow Dimmer(int number) {
    return MakeChannel(number, "Dimmer", "01", "Left", "HTP", "Dimmer", "H", "H");
}

// Fields for an attribute-mode OK; attribute type by its letter.
ChannelFields Attribute(const QString& name, int type, int key, int wheel, const QString& letter) {
    ChannelFields fields;
    fields.name = name;
    fields.channelType = type;
    fields.attributeKey = key;
    fields.controlWheel = wheel;
    fields.attributeType = AttributeTypeIndexOf(letter);
    return fields;
}

ChannelFields Zoom() {
    return Attribute("Zoom", LtpTypeIndex, 4, LeftWheelIndex, "Q");
}

ChannelFields Part(const QString& name, const QString& coarseItem) {
    ChannelFields fields;
    fields.name = name;
    fields.channelType = PartTypeIndex;
    fields.coarseChannelItem = coarseItem;
    return fields;
}

// The dialog opened on channel n while row n held it, as before any row moved.
EditedChannel Opened(int channel) {
    return {channel, channel};
}

// A 16-bit pair: channel 1 and its fine part 3, with channel 2 between them.
const ChannelRows PanPair{Pan(1, "16bit", "s"), NumberOnly(2), MakeFinePart(3, "Pan fine", 1, "E")};

} // namespace

TEST(ChannelFieldRules, CorrectCurveAndOutputAndJudgeLevels) {
    for (const char* text : {"", "2", "11"}) {
        const auto correction = CurveRule(text);
        ASSERT_TRUE(correction) << text;
        EXPECT_EQ(correction->message + correction->text, CurveMessage + "1");
    }
    EXPECT_FALSE(CurveRule("1"));
    // The file's columns take whole numbers: a fraction is refused like a number out of range.
    for (const char* text : {"0", "100", "1.", "+5", " 5"})
        EXPECT_FALSE(OutputPercentRule(text)) << text;
    for (const char* text : {"100.5", "-0.5", "2.5"})
        EXPECT_EQ(OutputPercentRule(text)->message, OutputRangeMessage) << text;
    EXPECT_EQ(OutputPercentRule("abc")->message + OutputPercentRule("abc")->text,
              NotNumberMessage + "100");
    for (const char* text : {"-1", "0", "255", "1.", "+5", " 5", "2.0"})
        EXPECT_TRUE(IsValidLevelText(text)) << text;
    for (const char* text : {"256", "-2", "", "x", "99999999999999999999999999", "3.7", ".5"})
        EXPECT_FALSE(IsValidLevelText(text)) << text;
}

TEST(ChannelAttributeDefaults, FillWhatIsNotChosenAndSetTheWheel) {
    const auto chosen = [](const QString& letter, ChannelFields fields = {},
                           const ChannelRow& stored = NumberOnly(1)) {
        fields.attributeType = AttributeTypeIndexOf(letter);
        ApplyAttributeTypeDefaults(fields, stored);
        return std::tuple(fields.channelType, fields.attributeKey, fields.controlWheel);
    };
    EXPECT_EQ(chosen("H"), std::tuple(HtpTypeIndex, 0, LeftWheelIndex));
    EXPECT_EQ(chosen("E"), std::tuple(LtpTypeIndex, 2, RightWheelIndex));
    EXPECT_EQ(chosen("S"), std::tuple(LtpTypeIndex, 18, LeftWheelIndex));
    EXPECT_EQ(chosen("A"), std::tuple(InstantTypeIndex, 3, LeftWheelIndex));
    EXPECT_EQ(chosen("0"), std::tuple(-1, -1, -1)) << "uncategorized presets nothing";

    // Type and key already chosen: only the wheel changes; a dimmer's chosen wheel stays.
    ChannelFields set = Attribute("x", InstantTypeIndex, 7, LeftWheelIndex, "0");
    EXPECT_EQ(chosen("E", set), std::tuple(InstantTypeIndex, 7, RightWheelIndex));
    set.controlWheel = RightWheelIndex;
    EXPECT_EQ(chosen("H", set), std::tuple(InstantTypeIndex, 7, RightWheelIndex));
    // A channel stored as a fine part takes no defaults, whatever the fields show.
    EXPECT_EQ(chosen("H", {}, MakeFinePart(2, "f", 1, "H")), std::tuple(-1, -1, -1));
}

TEST(ChannelCoarseChoice, OffersCoarseChannelsAndRefusesATakenOne) {
    ChannelRows rows{Pan(1, "16bit", "s"),
                     MakeFinePart(2, "Pan fine", 1, "E"),
                     Dimmer(3),
                     NumberOnly(4),
                     Pan(5, "16bit NF", "S"),
                     Dimmer(6)};
    // Plain channel: every named channel but itself, fine parts and channels owning one.
    CoarseChoices choices = CoarseChannelChoices(rows, Opened(6));
    EXPECT_EQ(choices.items, QStringList({"3 - Dimmer", "5 - Pan"}));
    EXPECT_EQ(choices.selected, -1);

    // A fine part is offered only its own coarse channel, already chosen, wherever it stands.
    std::swap(rows[0], rows[4]);
    choices = CoarseChannelChoices(rows, Opened(2));
    EXPECT_EQ(choices.items, QStringList({"1 - Pan"}));
    EXPECT_EQ(choices.selected, 0);
    rows[1] = MakeFinePart(2, "Pan fine", 9, "E");
    EXPECT_TRUE(CoarseChannelChoices(rows, Opened(2)).items.isEmpty());

    EXPECT_EQ(CoarseChannelOfItem("123 - Tilt"), 123);
    EXPECT_EQ(CoarseChannelOfItem(""), std::nullopt);
    EXPECT_EQ(CoarseChannelOfItem("99999999999999999999 - x"), std::nullopt);

    // Another row already is channel 1's fine part; the channel's own row never counts.
    rows = {Pan(1, "16bit", "s"), MakeFinePart(2, "Pan fine", 1, "E"), NumberOnly(3),
            MakeFinePart(4, "x", 123, "E")};
    EXPECT_EQ(ChongFuJianCha(rows, Opened(3), 1), 1);
    EXPECT_EQ(ChongFuJianCha(rows, Opened(2), 1), 0);
    EXPECT_EQ(ChongFuJianCha(rows, Opened(3), 12), 0);
    EXPECT_EQ(ChongFuJianCha(rows, Opened(3), 123), 1);
}

TEST(ChannelFillIn, AsksForTheFieldsOfTheChosenMode) {
    ChannelFields noHigh = Zoom();
    noHigh.highLevel.clear();
    ChannelFields partWithoutCurve = Part("Pan fine", "1 - Pan");
    partWithoutCurve.curve.clear();
    EXPECT_TRUE(TianXieJianCha(Zoom()));
    EXPECT_FALSE(TianXieJianCha(noHigh));
    EXPECT_FALSE(TianXieJianCha(Attribute("Zoom", LtpTypeIndex, 4, -1, "Q")));
    // Part needs only name, type and coarse channel.
    EXPECT_TRUE(TianXieJianCha(partWithoutCurve));
    EXPECT_FALSE(TianXieJianCha(Part("Pan fine", "")));
}

TEST(ChannelAccept, ReleasesTheFinePartOfASixteenBitChannelOnEveryOk) {
    // The release happens before the checks, so a refused OK has already released it; nothing
    // of the edited row is written.
    ChannelRows rows = PanPair;
    ChannelFields unnamed = Attribute("", LtpTypeIndex, 2, RightWheelIndex, "E");
    AcceptOutcome outcome = AcceptChannel(rows, Opened(1), 0, unnamed);
    EXPECT_EQ(outcome.result, Result::Refused);
    EXPECT_EQ(outcome.refusal, "请填写通道名称...");
    EXPECT_EQ(outcome.refusalFocus, DialogField::Name);
    EXPECT_EQ(outcome.announcements,
              QStringList({"该16bit通道由通道 1 [Pan] 与通道 3 [Pan fine] 组成，因此，更改通道 1 "
                           "就必须删除通道 3..."}));
    EXPECT_EQ(rows, ChannelRows({Pan(1, "16bit", "s"), NumberOnly(2), NumberOnly(3)}));
    // Nothing left to release on the next OK.
    unnamed.name = "Pan";
    outcome = AcceptChannel(rows, Opened(1), 0, unnamed);
    EXPECT_EQ(outcome.result, Result::Written);
    EXPECT_TRUE(outcome.announcements.isEmpty());
    EXPECT_EQ(rows[0][ChannelTypeName], "LTP");
}

TEST(ChannelAccept, ChecksFieldsInOrderAndByMode) {
    ChannelRows rows{NumberOnly(1), Dimmer(2)};
    const auto refusal = [&](const ChannelFields& fields) {
        const AcceptOutcome outcome = AcceptChannel(rows, Opened(1), 0, fields);
        EXPECT_EQ(outcome.result, AcceptOutcome::Result::Refused);
        EXPECT_EQ(rows[0], NumberOnly(1));
        return std::pair(outcome.refusal, outcome.refusalFocus);
    };
    // Emptied from the last field to the first, each field in turn is the first one missing.
    ChannelFields fields = Attribute("x", LtpTypeIndex, 3, 0, "Q");
    const struct {
        void (*empty)(ChannelFields&);
        const char* message;
        DialogField focus;
    } order[] = {
        {[](ChannelFields& f) { f.lowLevel.clear(); },
         "请设置低亮度的值，范围0-255，-1表示不起作用...", DialogField::LowLevel},
        {[](ChannelFields& f) { f.highLevel.clear(); },
         "请设置高亮度的值，范围0-255，-1表示不起作用...", DialogField::HighLevel},
        {[](ChannelFields& f) { f.locateLevel.clear(); },
         "请设置定位值，范围0-255，-1表示不起作用...", DialogField::LocateLevel},
        {[](ChannelFields& f) { f.attributeType = -1; }, "请设置通道属性类型...",
         DialogField::AttributeType},
        {[](ChannelFields& f) { f.outputPercent.clear(); }, "请设置通道输出比例，范围0-100%...",
         DialogField::OutputPercent},
        {[](ChannelFields& f) { f.curve.clear(); },
         "请设置通道曲线类型，通常为1，仅HTP通道起作用...", DialogField::Curve},
        {[](ChannelFields& f) { f.controlWheel = -1; }, "请设置控制轮...",
         DialogField::ControlWheel},
        {[](ChannelFields& f) { f.attributeKey = -1; }, "请设置属性键...",
         DialogField::AttributeKey},
        {[](ChannelFields& f) { f.channelType = -1; }, "请设置通道类型...",
         DialogField::ChannelType},
        {[](ChannelFields& f) { f.name.clear(); }, "请填写通道名称...", DialogField::Name},
    };
    for (const auto& check : order) {
        check.empty(fields);
        EXPECT_EQ(refusal(fields), std::pair(QString(check.message), check.focus));
    }

    // Part checks only name, type and the coarse channel, which must still exist.
    const std::pair missingCoarse(QString("请设置其依附的16bit高8位通道..."),
                                  DialogField::CoarseChannel);
    EXPECT_EQ(refusal(Part("f", " 2 - ")), missingCoarse);
    EXPECT_EQ(refusal(Part("f", "9 - Gone")), missingCoarse);
    ChannelFields part = Part("f", "2 - Dimmer");
    part.curve.clear();
    EXPECT_EQ(AcceptChannel(rows, Opened(1), 0, part).result, AcceptOutcome::Result::Written);
}

TEST(ChannelAccept, WritesAttributeRowsWithPanAndTiltLevels) {
    ChannelRows rows{NumberOnly(1)};
    ChannelFields fields = Attribute("   ", LtpTypeIndex, 2, RightWheelIndex, "E");
    fields.locateLevel = "128";
    fields.highLevel = "200";
    fields.inverted = true;
    ASSERT_EQ(AcceptChannel(rows, Opened(1), 0, fields).result, Result::Written);
    EXPECT_EQ(rows[0], ChannelRow({"1", "   ", "03", "Right", "LTP", "100", "1", "I", "Pan", "128",
                                   "-1", "-1", "L", "E"}));

    fields = Attribute("Gobo", 3, 5, LeftWheelIndex, "I");
    fields.highLevel = "200";
    AcceptChannel(rows, Opened(1), 0, fields);
    EXPECT_EQ(rows[0], ChannelRow({"1", "Gobo", "06", "Left", "16bit NF", "100", "1", "N", "Gobo1",
                                   "0", "200", "-1", "S", "I"}));

    // Whole numbers as the file's columns take them, whatever form they were typed in.
    fields.outputPercent = "1.";
    fields.locateLevel = "+5";
    fields.highLevel = " 5";
    fields.lowLevel = "-0";
    AcceptChannel(rows, Opened(1), 0, fields);
    EXPECT_EQ(rows[0], ChannelRow({"1", "Gobo", "06", "Left", "16bit NF", "1", "1", "N", "Gobo1",
                                   "5", "5", "0", "S", "I"}));
    ChannelFields part = Part("Gobo fine", "2 - Dimmer");
    part.outputPercent = "+50";
    rows.push_back(Dimmer(2));
    AcceptChannel(rows, Opened(1), 0, part);
    EXPECT_EQ(rows[0][OutputPercent], "50");
}

TEST(ChannelAccept, RefusesWhatTheBoxesWouldHaveRefused) {
    ChannelRows rows{NumberOnly(1)};
    const auto refusal = [&](void (*change)(ChannelFields&)) {
        ChannelFields fields = Zoom();
        change(fields);
        const AcceptOutcome outcome = AcceptChannel(rows, Opened(1), 0, fields);
        EXPECT_EQ(rows[0], NumberOnly(1));
        return std::pair(outcome.refusal, outcome.refusalFocus);
    };
    EXPECT_EQ(refusal([](ChannelFields& f) { f.outputPercent = "2.5"; }),
              std::pair(OutputRangeMessage, DialogField::OutputPercent));
    EXPECT_EQ(refusal([](ChannelFields& f) { f.locateLevel = "3.7"; }),
              std::pair(LevelRangeMessage, DialogField::LocateLevel));
    EXPECT_EQ(refusal([](ChannelFields& f) { f.highLevel = "256"; }),
              std::pair(LevelRangeMessage, DialogField::HighLevel));
    EXPECT_EQ(refusal([](ChannelFields& f) { f.lowLevel = "x"; }),
              std::pair(LevelRangeMessage, DialogField::LowLevel));
}

TEST(ChannelAccept, PairsAFinePartAndPromotesItsCoarseChannel) {
    ChannelRows rows{Dimmer(5), NumberOnly(6),
                     MakeChannel(7, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F")};
    ASSERT_EQ(AcceptChannel(rows, Opened(6), 0, Part("Dim fine", "5 - Dimmer")).result,
              Result::Written);
    EXPECT_EQ(rows[0][ChannelTypeName] + rows[0][ChannelTypeLetter], "16bitH");
    EXPECT_EQ(rows[1], ChannelRow({"6", "Dim fine", "-", "-", "Part", "100", "1", "N", "Ch5 fine",
                                   "0", "0", "0", "H", "H"}));

    // A tilt fine part: "s" on the coarse channel, locate 128 on the fine part. Re-attaching a
    // fine part that stays a Part leaves its old coarse channel as it is.
    AcceptChannel(rows, Opened(6), 5, Part("Tilt fine", "7 - Tilt"));
    EXPECT_EQ(rows[0][ChannelTypeName], "16bit");
    EXPECT_EQ(rows[2], MakeChannel(7, "Tilt", "03", "Left", "16bit", "Tilt", "s", "F"));
    EXPECT_EQ(rows[1], ChannelRow({"6", "Tilt fine", "-", "-", "Part", "100", "1", "N", "Ch7 fine",
                                   "128", "0", "0", "L", "F"}));
}

TEST(ChannelAccept, FallsBackTheFormerCoarseChannelWhenAFinePartIsRetyped) {
    for (const auto& [letter, expected] : std::vector<std::pair<QString, QString>>{
             {"E", "LTP/L"}, {"A", "Instant/I"}, {"H", "HTP/H"}}) {
        ChannelRows rows{MakeChannel(1, "C", "04", "Left", "16bit", "x", "s", letter),
                         MakeFinePart(2, "C fine", 1, letter)};
        const ChannelRows pair = rows;
        // A refused OK leaves the pair whole, so a cancel after it leaves nothing broken.
        ChannelFields noLow = Zoom();
        noLow.lowLevel.clear();
        EXPECT_EQ(AcceptChannel(rows, Opened(2), 1, noLow).result, Result::Refused);
        EXPECT_EQ(rows, pair);
        AcceptChannel(rows, Opened(2), 1, Zoom());
        EXPECT_EQ(rows[0][ChannelTypeName] + "/" + rows[0][ChannelTypeLetter], expected);
        EXPECT_EQ(rows[1][ChannelTypeName], "LTP");
    }
}

TEST(ChannelAccept, FindsChannelsByNumberAfterRowsMoved) {
    // The dialog opened on channel 3 when it was the third row; it now stands first.
    ChannelRows rows{NumberOnly(3), Dimmer(1), NumberOnly(2),
                     MakeChannel(7, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F")};
    AcceptChannel(rows, Opened(3), 0, Part("Tilt fine", "7 - Tilt"));
    EXPECT_EQ(rows[0][AttributeName], "Ch7 fine");
    EXPECT_EQ(rows[3][ChannelTypeName], "16bit");
    EXPECT_EQ(rows[2], NumberOnly(2));

    // The channel is gone: nothing is written, nothing released.
    rows = PanPair;
    EXPECT_EQ(AcceptChannel(rows, Opened(9), 1, Zoom()).result, Result::ChannelGone);
    EXPECT_EQ(rows, PanPair);

    // A count change numbered a new row like a moved one: the row the dialog was opened on
    // is the one written while it still carries the channel.
    rows = {Pan(1, "16bit", "s"), MakeFinePart(3, "Pan fine", 1, "E"), NumberOnly(3)};
    AcceptChannel(rows, {3, 3}, 0, Zoom());
    EXPECT_EQ(rows[2][ChannelName], "Zoom");
    EXPECT_EQ(rows[1], MakeFinePart(3, "Pan fine", 1, "E"));
    DeleteChannel(rows, {2, 3});
    EXPECT_EQ(rows[1], NumberOnly(3));
    EXPECT_EQ(rows[2][ChannelName], "Zoom");
}

TEST(ChannelAccept, KeepsThePairsWhenTheTableChangedBehindTheDialog) {
    // The chosen coarse channel became a fine part, lost its name, or got another fine part
    // while the dialog stood open (the quick setup writes rows meanwhile).
    const QString noCoarse = "请设置其依附的16bit高8位通道...";
    for (const auto& [table, message] : std::vector<std::pair<ChannelRows, QString>>{
             {{MakeFinePart(1, "Pan", 3, "E"), NumberOnly(2), Pan(3)}, noCoarse},
             {{NumberOnly(1), NumberOnly(2)}, noCoarse},
             {PanPair, DuplicateFinePartMessage}}) {
        ChannelRows rows = table;
        const AcceptOutcome outcome = AcceptChannel(rows, Opened(2), 0, Part("f", "1 - Pan"));
        EXPECT_EQ(outcome.result, Result::Refused);
        EXPECT_EQ(outcome.refusal, message);
        EXPECT_EQ(outcome.refusalFocus, DialogField::CoarseChannel);
        EXPECT_EQ(rows, table);
    }

    // A fine part given another type or deleted leaves its coarse channel 16-bit while another
    // fine part still names it.
    const ChannelRows twoFineParts{Pan(1, "16bit", "s"), MakeFinePart(2, "a", 1, "E"),
                                   MakeFinePart(3, "b", 1, "E")};
    ChannelRows rows = twoFineParts;
    AcceptChannel(rows, Opened(2), 1, Zoom());
    EXPECT_EQ(rows[0][ChannelTypeName], "16bit");
    rows = twoFineParts;
    DeleteChannel(rows, Opened(3));
    EXPECT_EQ(rows[0][ChannelTypeName], "16bit");
}

TEST(ChannelDelete, EmptiesTheChannelAndResolvesItsPair) {
    EXPECT_EQ(DeleteQuestion(4), "确定要删除通道 4的数据？");
    struct Case {
        const char* what;
        ChannelRows rows;
        int channel;
        ChannelRows after;
        QStringList announcements;
    };
    const std::vector<Case> cases{
        {"a plain channel keeps its number",
         {Dimmer(1), Dimmer(4)},
         4,
         {Dimmer(1), NumberOnly(4)},
         {}},
        {"a fine part's coarse channel falls back, found by number",
         {MakeFinePart(3, "Pan fine", 1, "E"), Pan(1, "16bit", "s")},
         3,
         {NumberOnly(3), Pan(1)},
         {}},
        {"a coarse channel re-typed meanwhile keeps its cells",
         {Pan(1, "HTP", "H"), MakeFinePart(3, "Pan fine", 1, "E")},
         3,
         {Pan(1, "HTP", "H"), NumberOnly(3)},
         {}},
        {"a coarse channel takes its fine part with it",
         PanPair,
         1,
         {NumberOnly(1), NumberOnly(2), NumberOnly(3)},
         {"该16bit通道由通道 1 [Pan] 与通道 3 [Pan fine] 组成，因此删除通道 1 也必须同时删除通道 "
          "3..."}},
        {"16bit chosen without a fine part", {Pan(1, "16bit", "s")}, 1, {NumberOnly(1)}, {}},
    };
    for (const Case& c : cases) {
        ChannelRows rows = c.rows;
        const DeleteOutcome outcome = DeleteChannel(rows, Opened(c.channel));
        EXPECT_TRUE(outcome.found) << c.what;
        EXPECT_EQ(outcome.announcements, c.announcements) << c.what;
        EXPECT_EQ(rows, c.after) << c.what;
    }
    ChannelRows rows{Dimmer(1)};
    EXPECT_FALSE(DeleteChannel(rows, Opened(2)).found);
    EXPECT_EQ(rows[0], Dimmer(1));
}

TEST(ChannelDrop, ALowerCountTakesRowsAsDeleteWouldAndLeavesNoHalfPair) {
    struct Case {
        const char* what;
        ChannelRows rows;
        std::size_t count;
        ChannelRows after;
        QStringList announcements;
    };
    const std::vector<Case> cases{
        {"a dropped coarse channel empties its kept fine part",
         {MakeFinePart(1, "Pan fine", 3, "E"), Dimmer(2), Pan(3, "16bit", "s")},
         2,
         {NumberOnly(1), Dimmer(2)},
         {"该16bit通道由通道 3 [Pan] 与通道 1 [Pan fine] 组成，因此删除通道 3 也必须同时删除通道 "
          "1..."}},
        {"a dropped fine part sends its kept coarse channel back to 8 bit",
         {Pan(1, "16bit", "s"), Dimmer(2), MakeFinePart(3, "Pan fine", 1, "E")},
         2,
         {Pan(1), Dimmer(2)},
         {}},
        {"a pair dropped whole goes without a word",
         {Dimmer(1), Pan(2, "16bit", "s"), MakeFinePart(3, "Pan fine", 2, "E")},
         1,
         {Dimmer(1)},
         {}},
        {"a coarse channel keeps 16 bit while a kept fine part names it",
         {Pan(1, "16bit", "s"), MakeFinePart(2, "a", 1, "E"), MakeFinePart(3, "b", 1, "E")},
         2,
         {Pan(1, "16bit", "s"), MakeFinePart(2, "a", 1, "E")},
         {}},
        {"rows that fit the count stay as they are", PanPair, 3, PanPair, {}},
    };
    for (const Case& c : cases) {
        ChannelRows rows = c.rows;
        EXPECT_EQ(DropRowsBeyondCount(rows, c.count), c.announcements) << c.what;
        EXPECT_EQ(rows, c.after) << c.what;
    }
}

#include "channels/ChannelTable.h"
#include "channels/Vocabulary.h"
#include "tests/support/ChannelTestRows.h"

#include <gtest/gtest.h>

using namespace channels;
using enum channels::ChannelColumn;

namespace {

ChannelRow Keyed(int number, const QString& key, const QString& wheel) {
    return MakeChannel(number, "X", key, wheel, "LTP", "Uncategorized", "L", "0");
}

ChannelRow Pan(int number, const QString& typeName = "LTP") {
    return MakeChannel(number, "Pan", "03", "Right", typeName, "Pan", "L", "E");
}

ChannelRow Tilt(int number) {
    return MakeChannel(number, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F");
}

} // namespace

TEST(ChannelNumberText, ParsesWithoutOverflowAndRefusesNonNumbers) {
    EXPECT_EQ(ParseWholeNumber(" 12 "), 12);
    EXPECT_EQ(ParseWholeNumber("-1"), -1);
    EXPECT_EQ(ParseWholeNumber("99999999999999999999999"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("2.5"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(""), std::nullopt);
    EXPECT_EQ(ParseWholeNumber("1a"), std::nullopt);

    EXPECT_EQ(ParseNumber("2.5"), 2.5);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("-1"), -1.0);
    EXPECT_EQ(ParseNumber("1" + QString(400, '0')), std::nullopt);
    for (const char* text : {"", "x", "1e3", "--1", "1.2.3", ".", "-"}) {
        EXPECT_EQ(ParseNumber(text), std::nullopt) << text;
    }
}

TEST(ChannelCutNum, TakesTheTextFromTheThirdCharacterToTheFirstBlank) {
    EXPECT_EQ(CutNum("Ch7 fine"), "7");
    EXPECT_EQ(CutNum("Ch123 fine"), "123");
    EXPECT_EQ(CutNum("Ch12fine"), "");
    EXPECT_EQ(CutNum("Ch12 "), "") << "a blank in last place does not count";
    // Blanks at or before the third character leave no number, and short texts are safe.
    for (const char* text : {"", "C", " ", " x", "C x", "Ch x", "Ch  x"}) {
        EXPECT_EQ(CutNum(text), "") << text;
    }
}

TEST(ChannelFinePart, IsRecognisedByDashesAndNamesItsCoarseChannel) {
    EXPECT_TRUE(IsFinePart(MakeFinePart(3, "Pan fine", 1, "E")));
    EXPECT_FALSE(IsFinePart(Keyed(3, "-", "Left")));
    EXPECT_FALSE(IsFinePart(Keyed(3, "01", "-")));

    EXPECT_TRUE(IsFinePartOf(MakeFinePart(3, "x", 12, "E"), 12));
    EXPECT_FALSE(IsFinePartOf(MakeFinePart(3, "x", 123, "E"), 12));
    EXPECT_FALSE(IsFinePartOf(MakeFinePart(3, "x", 12, "E"), 1));
    for (const char* name : {"Uncategorized", "Gobo1_Rotate", "Ch1", "", "Color Wheel 1"}) {
        ChannelRow row = Keyed(3, "01", "Left");
        row[AttributeName] = name;
        for (int coarse : {0, 1, 12}) {
            EXPECT_FALSE(IsFinePartOf(row, coarse)) << name;
        }
    }
}

TEST(ChannelFindRow, GoesByTheNumberCellNotThePosition) {
    const ChannelRows rows{Pan(1), MakeFinePart(3, "Pan fine", 1, "E"), Tilt(2), NumberOnly(4)};
    EXPECT_EQ(FindChannelRow(rows, 3), 1u);
    EXPECT_EQ(FindChannelRow(rows, 2), 2u);
    EXPECT_EQ(FindChannelRow(rows, 5), std::nullopt);
    EXPECT_EQ(FindChannelRow({}, 1), std::nullopt);
}

TEST(ChannelLeavingPage, RefusesWhileAChannelHasNoName) {
    ChannelRows rows{Pan(1), Tilt(2)};
    EXPECT_TRUE(AllChannelsNamed(rows));
    rows.push_back(NumberOnly(3));
    EXPECT_FALSE(AllChannelsNamed(rows));
}

TEST(ChannelKeyConflicts, ReportsEachPairInScanOrder) {
    // One key on both wheels is what a key is for.
    EXPECT_TRUE(CFShuXingJian({Keyed(1, "01", "Left"), Keyed(2, "01", "Right")}).empty());
    // Fine parts and channels not set up carry no key.
    EXPECT_TRUE(CFShuXingJian({Keyed(1, "-", "-"), Keyed(2, "-", "-"), Keyed(3, "", "Left"),
                               Keyed(4, "", "Left")})
                    .empty());

    // A third channel on a key whose two wheels are taken.
    std::vector<KeyConflict> found =
        CFShuXingJian({Keyed(1, "01", "Left"), Keyed(2, "01", "Right"), Keyed(3, "01", "Left")});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, KeyConflict::Kind::BothWheelsUsed);
    EXPECT_EQ(found[0].message, QStringLiteral("属性键 01 的左右两个控制轮已被使用，\r\n"
                                               "请将 CH3 或者 CH1 改用其他属性键控制..."));

    // The same wheel twice.
    found =
        CFShuXingJian({Keyed(1, "01", "Left"), Keyed(2, "01", "Left"), Keyed(3, "01", "Right")});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, KeyConflict::Kind::WheelRepeated);
    EXPECT_EQ(found[0].earlierRow, 0u);
    EXPECT_EQ(found[0].laterRow, 1u);
    EXPECT_EQ(found[0].message, QStringLiteral("属性键 01 被重复设置了 Left 控制轮，\r\n"
                                               "请修改 CH2 或者CH1 的控制轮..."));

    // Past the second later row a repeated wheel is reported as repeated.
    found = CFShuXingJian({Keyed(1, "07", "Left"), Keyed(2, "07", "Right"), Keyed(3, "07", "Left"),
                           Keyed(4, "07", "Left")});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].kind, KeyConflict::Kind::BothWheelsUsed);
    EXPECT_EQ(found[1].kind, KeyConflict::Kind::WheelRepeated);
    EXPECT_TRUE(found[1].message.contains("CH4 或者CH1"));
    EXPECT_TRUE(found[2].message.contains("CH4 或者CH3"));

    // Every pair speaks, and the numbers come from the cells, not the positions.
    found = CFShuXingJian({Keyed(7, "05", "Right"), Keyed(1, "02", "Left"), Keyed(9, "05", "Right"),
                           Keyed(2, "02", "Left")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].message.contains("CH9 或者CH7"));
    EXPECT_TRUE(found[1].message.contains("属性键 02") && found[1].message.contains("CH2 或者CH1"));
}

TEST(ChannelGroupFineRows, MovesEachFineRowUnderItsCoarseChannel) {
    ChannelRows rows{Pan(1), Tilt(2), MakeFinePart(3, "Pan fine", 1, "E"),
                     MakeFinePart(4, "Tilt fine", 2, "F")};
    GroupFinePartRows(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "3", "2", "4"}));
    EXPECT_EQ(rows[1][ChannelName], "Pan fine") << "the whole row moves";

    // Already in place: nothing moves. Grouping twice changes nothing either.
    GroupFinePartRows(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "3", "2", "4"}));

    // A fine row above its coarse channel ends below it; the rows between move up.
    rows = {MakeFinePart(1, "Pan fine", 4, "E"), NumberOnly(2), NumberOnly(3), Pan(4)};
    GroupFinePartRows(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"2", "3", "4", "1"}));

    // Without a findable coarse channel the fine row stays; the row count never changes.
    ChannelRow malformed = MakeFinePart(2, "odd", 1, "E");
    malformed[AttributeName] = "Chx";
    rows = {Pan(1), malformed, NumberOnly(3), MakeFinePart(4, "lost", 9, "E")};
    GroupFinePartRows(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "2", "3", "4"}));
}

TEST(ChannelNumbering, EmptyNumberCellsTakeTheChannelsNoRowHolds) {
    // A fresh or cleared table is numbered by position.
    ChannelRows rows(3);
    NumberEmptyChannelCells(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "2", "3"}));

    // Rows 1, 6, 2, 3 kept from a grouped six-channel table, then the count raised to 6 again:
    // the new rows take 4 and 5, not a second 6.
    rows = {Pan(1), MakeFinePart(6, "Pan fine", 1, "E"), NumberOnly(2), NumberOnly(3), {}, {}};
    NumberEmptyChannelCells(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "6", "2", "3", "4", "5"}));

    // A number cell emptied by hand gets back the channel that went missing.
    rows = {Pan(1), {}, NumberOnly(2), NumberOnly(4)};
    NumberEmptyChannelCells(rows);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "3", "2", "4"}));
}

TEST(ChannelCoarsePairing, PromotionSetsSixteenBitWithLetterByAttributeType) {
    const auto promoted = [](const QString& attributeLetter, const QString& typeLetter) {
        ChannelRow coarse =
            MakeChannel(1, "C", "01", "Left", "HTP", "x", typeLetter, attributeLetter);
        CoarsePromotion(coarse);
        EXPECT_EQ(coarse[ChannelTypeName], "16bit");
        return coarse[ChannelTypeLetter];
    };
    for (const char* letter : {"I", "J", "A", "N"}) {
        EXPECT_EQ(promoted(letter, "I"), "S") << letter;
    }
    for (const char* letter : {"K", "M", "E", "F"}) {
        EXPECT_EQ(promoted(letter, "L"), "s") << letter;
    }
    for (const char* letter : {"H", "0", "B", "T", "i"}) {
        EXPECT_EQ(promoted(letter, "H"), "H") << letter;
    }
}

TEST(ChannelCoarsePairing, FallbackReturnsOnlySixteenBitChannelsToEightBit) {
    const auto fallen = [](const QString& attributeLetter, const QString& typeName = "16bit") {
        ChannelRow coarse = MakeChannel(1, "C", "03", "Right", typeName, "x", "s", attributeLetter);
        CoarseFallback(coarse);
        return coarse[ChannelTypeName] + "/" + coarse[ChannelTypeLetter];
    };
    EXPECT_EQ(fallen("H"), "HTP/H");
    for (const char* letter : {"I", "J", "A", "N"}) {
        EXPECT_EQ(fallen(letter), "Instant/I") << letter;
    }
    for (const char* letter : {"K", "M", "E", "F", "0", "V"}) {
        EXPECT_EQ(fallen(letter), "LTP/L") << letter;
    }
    EXPECT_EQ(fallen("E", "16bit NF"), "16bit NF/s");
}

TEST(ChannelVocabulary, PicksListPositionsFromStoredCells) {
    ChannelRow row = Keyed(1, "03", "Right");
    for (const auto& [letter, index] : std::vector<std::pair<QString, int>>{
             {"H", 0}, {"L", 1}, {"I", 2}, {"S", 3}, {"s", 4}, {"?", 0}}) {
        row[ChannelTypeLetter] = letter;
        EXPECT_EQ(ChannelTypeIndexOf(row), index) << letter.toStdString();
    }
    EXPECT_EQ(ChannelTypeIndexOf(Keyed(1, "-", "-")), PartTypeIndex);
    EXPECT_EQ(ChannelTypeIndexOf(Keyed(1, "0", "0")), PartTypeIndex);
    EXPECT_EQ(ChannelTypeIndexOf(Keyed(1, "-", "Left")), 1);
    EXPECT_EQ(ChannelTypeIndexOf(Keyed(1, "", "-")), -1);

    EXPECT_EQ(AttributeKeyIndexOf("01"), 0);
    EXPECT_EQ(AttributeKeyIndexOf("20"), 19);
    for (const char* key : {"0", "21", "-", "", "abc", "99999999999999999999"}) {
        EXPECT_EQ(AttributeKeyIndexOf(key), -1) << key;
    }
    EXPECT_EQ(AttributeKeyOf(18), "19");

    EXPECT_EQ(ControlWheelIndexOf("Left"), 0);
    EXPECT_EQ(ControlWheelIndexOf("Right"), 1);
    EXPECT_EQ(ControlWheelIndexOf("left"), -1);

    EXPECT_EQ(AttributeTypeIndexOf("0"), 0);
    EXPECT_EQ(AttributeTypeIndexOf("H"), 8);
    EXPECT_EQ(AttributeTypeIndexOf("V"), 22);
    for (const char* letter : {"v", "", "EE", "W"}) {
        EXPECT_EQ(AttributeTypeIndexOf(letter), -1) << letter;
    }
    for (const AttributeTypeItem& item : AttributeTypeTable) {
        EXPECT_EQ(item.itemText, item.letter.toString() + " - " + item.name.toString());
    }
}

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

ChannelRow Pan(int number) {
    return MakeChannel(number, "Pan", "03", "Right", "LTP", "Pan", "L", "E");
}

ChannelRow Tilt(int number) {
    return MakeChannel(number, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F");
}

} // namespace

TEST(ChannelNumberText, ParsesWithoutOverflowAndRefusesNonNumbers) {
    EXPECT_EQ(ParseWholeNumber(" 12 "), 12);
    EXPECT_EQ(ParseWholeNumber("-1"), -1);
    for (const char* text : {"99999999999999999999999", "2.5", "", "1a"})
        EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << text;
    EXPECT_EQ(ParseNumber("2.5"), 2.5);
    EXPECT_EQ(ParseNumber(".5"), 0.5);
    EXPECT_EQ(ParseNumber("-1"), -1.0);
    EXPECT_EQ(ParseNumber("1" + QString(400, '0')), std::nullopt);
    // Too close to 0 for a double: it is the 0 it rounds to, not a text without a number.
    const QString belowTheSmallest = "0." + QString(400, '0') + "1";
    for (const QString& text : {belowTheSmallest, "-" + belowTheSmallest, " " + belowTheSmallest})
        EXPECT_EQ(ParseNumber(text), 0.0) << text.toStdString();
    for (const char* text : {"", "x", "1e3", "--1", "1.2.3", ".", "-"})
        EXPECT_EQ(ParseNumber(text), std::nullopt) << text;
}

TEST(ChannelFinePart, IsNamedByTheTextFromTheThirdCharacterToTheFirstBlank) {
    EXPECT_EQ(CutNum("Ch7 fine"), "7");
    EXPECT_EQ(CutNum("Ch123 fine"), "123");
    // A blank in last place or at or before the third character leaves no number, and short
    // texts are safe.
    for (const char* text : {"Ch12fine", "Ch12 ", "", "C", " ", " x", "C x", "Ch x", "Ch  x"})
        EXPECT_EQ(CutNum(text), "") << text;

    EXPECT_TRUE(IsFinePart(MakeFinePart(3, "Pan fine", 1, "E")));
    EXPECT_FALSE(IsFinePart(Keyed(3, "-", "Left")));
    EXPECT_FALSE(IsFinePart(Keyed(3, "01", "-")));
    EXPECT_TRUE(IsFinePartOf(MakeFinePart(3, "x", 12, "E"), 12));
    EXPECT_FALSE(IsFinePartOf(MakeFinePart(3, "x", 123, "E"), 12));
    EXPECT_FALSE(IsFinePartOf(MakeFinePart(3, "x", 12, "E"), 1));
    for (const char* name : {"Uncategorized", "Gobo1_Rotate", "Ch1", "", "Color Wheel 1"}) {
        ChannelRow row = Keyed(3, "01", "Left");
        row[AttributeName] = name;
        for (int coarse : {0, 1, 12})
            EXPECT_FALSE(IsFinePartOf(row, coarse)) << name;
    }
}

TEST(ChannelFindRow, GoesByTheNumberCellNotThePosition) {
    const ChannelRows rows{Pan(1), MakeFinePart(3, "Pan fine", 1, "E"), Tilt(2), NumberOnly(4)};
    EXPECT_EQ(FindChannelRow(rows, 3), 1u);
    EXPECT_EQ(FindChannelRow(rows, 2), 2u);
    EXPECT_EQ(FindChannelRow(rows, 5), std::nullopt);
    EXPECT_TRUE(AllChannelsNamed({Pan(1), Tilt(2)}));
    EXPECT_FALSE(AllChannelsNamed(rows));
}

struct ChoicesCase {
    int count;
    FineParts which;
    std::vector<ChannelChoice> expected;
};

TEST(ChannelChoiceList, ListsRowsInUseInGridOrderAndOmitsEitherFineMark) {
    ChannelRow unnumbered = Keyed(0, "05", "Left");
    unnumbered[ChannelNumber] = "x";
    ChannelRow huge = Keyed(0, "06", "Left");
    huge[ChannelNumber] = "4294967297";
    const ChannelRows rows{
        Pan(4),
        MakeFinePart(5, "Pan fine", 4, "E"),
        Keyed(2, "-", "Left"),
        Keyed(3, "07", "-"),
        unnumbered,
        huge,
        NumberOnly(1),
        Tilt(6),
    };
    const ChannelChoice pan{"4 - Pan", 4}, fine{"5 - Pan fine", 5}, keyOnly{"2 - X", 2},
        wheelOnly{"3 - X", 3}, noNumber{"x - X", std::nullopt},
        // A number beyond qint32 must not wrap into a small channel that exists.
        tooLarge{"4294967297 - X", std::nullopt}, unnamed{"1 - ", 1}, tilt{"6 - Tilt", 6};
    const ChoicesCase cases[] = {
        {7, FineParts::Listed, {pan, fine, keyOnly, wheelOnly, noNumber, tooLarge, unnamed}},
        {7, FineParts::Omitted, {pan, noNumber, tooLarge, unnamed}},
        {20, FineParts::Omitted, {pan, noNumber, tooLarge, unnamed, tilt}},
        {-1, FineParts::Listed, {}},
    };
    for (const ChoicesCase& c : cases) {
        EXPECT_EQ(ChannelChoices(rows, c.count, c.which), c.expected)
            << c.count << (c.which == FineParts::Listed ? " listed" : " omitted");
    }
}

TEST(ChannelKeyConflicts, ReportsEachPairInScanOrder) {
    // One key on both wheels is what a key is for; fine parts and channels not set up carry
    // no key.
    EXPECT_TRUE(CFShuXingJian({Keyed(1, "01", "Left"), Keyed(2, "01", "Right")}).empty());
    EXPECT_TRUE(CFShuXingJian({Keyed(1, "-", "-"), Keyed(2, "-", "-"), Keyed(3, "", "Left"),
                               Keyed(4, "", "Left")})
                    .empty());

    std::vector<KeyConflict> found =
        CFShuXingJian({Keyed(1, "01", "Left"), Keyed(2, "01", "Left"), Keyed(3, "01", "Right")});
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].kind, KeyConflict::Kind::WheelRepeated);
    EXPECT_EQ(found[0].earlierRow, 0u);
    EXPECT_EQ(found[0].laterRow, 1u);

    // Past the second later row a repeated wheel is reported as repeated.
    found = CFShuXingJian({Keyed(1, "07", "Left"), Keyed(2, "07", "Right"), Keyed(3, "07", "Left"),
                           Keyed(4, "07", "Left")});
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].kind, KeyConflict::Kind::BothWheelsUsed);
    EXPECT_EQ(found[0].message, QStringLiteral("属性键 07 的左右两个控制轮已被使用，\r\n"
                                               "请将 CH3 或者 CH1 改用其他属性键控制..."));
    EXPECT_EQ(found[1].kind, KeyConflict::Kind::WheelRepeated);
    EXPECT_TRUE(found[1].message.contains("CH4 或者CH1"));
    EXPECT_TRUE(found[2].message.contains("CH4 或者CH3"));

    // Every pair speaks, and the numbers come from the cells, not the positions.
    found = CFShuXingJian({Keyed(7, "05", "Right"), Keyed(1, "02", "Left"), Keyed(9, "05", "Right"),
                           Keyed(2, "02", "Left")});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].message, QStringLiteral("属性键 05 被重复设置了 Right 控制轮，\r\n"
                                               "请修改 CH9 或者CH7 的控制轮..."));
    EXPECT_TRUE(found[1].message.contains("属性键 02") && found[1].message.contains("CH2 或者CH1"));
}

TEST(ChannelGroupFineRows, MovesEachFineRowUnderItsCoarseChannel) {
    const auto grouped = [](ChannelRows rows) {
        GroupFinePartRows(rows);
        return NumbersOf(rows);
    };
    const ChannelRows tidy{Pan(1), MakeFinePart(3, "Pan fine", 1, "E"), Tilt(2),
                           MakeFinePart(4, "Tilt fine", 2, "F")};
    EXPECT_EQ(grouped({Pan(1), Tilt(2), MakeFinePart(3, "Pan fine", 1, "E"),
                       MakeFinePart(4, "Tilt fine", 2, "F")}),
              QStringList({"1", "3", "2", "4"}));
    EXPECT_EQ(grouped(tidy), QStringList({"1", "3", "2", "4"})) << "already in place";
    // A fine row above its coarse channel ends below it; the rows between move up.
    EXPECT_EQ(grouped({MakeFinePart(1, "Pan fine", 4, "E"), NumberOnly(2), NumberOnly(3), Pan(4)}),
              QStringList({"2", "3", "4", "1"}));
    // Without a findable coarse channel the fine row stays; the row count never changes.
    ChannelRow malformed = MakeFinePart(2, "odd", 1, "E");
    malformed[AttributeName] = "Chx";
    EXPECT_EQ(grouped({Pan(1), malformed, NumberOnly(3), MakeFinePart(4, "lost", 9, "E")}),
              QStringList({"1", "2", "3", "4"}));
}

TEST(ChannelNumbering, EmptyNumberCellsTakeTheChannelsNoRowHolds) {
    const auto numbered = [](ChannelRows rows) {
        NumberEmptyChannelCells(rows);
        return NumbersOf(rows);
    };
    EXPECT_EQ(numbered(ChannelRows(3)), QStringList({"1", "2", "3"}));
    // Rows 1, 6, 2, 3 kept from a grouped six-channel table, then the count raised to 6 again:
    // the new rows take 4 and 5, not a second 6.
    EXPECT_EQ(
        numbered(
            {Pan(1), MakeFinePart(6, "Pan fine", 1, "E"), NumberOnly(2), NumberOnly(3), {}, {}}),
        QStringList({"1", "6", "2", "3", "4", "5"}));
    // A number cell emptied by hand gets back the channel that went missing.
    EXPECT_EQ(numbered({Pan(1), {}, NumberOnly(2), NumberOnly(4)}),
              QStringList({"1", "3", "2", "4"}));
}

TEST(ChannelCoarsePairing, PromotionAndFallbackFollowTheAttributeType) {
    const auto promoted = [](const QString& attributeLetter) {
        ChannelRow coarse = MakeChannel(1, "C", "01", "Left", "HTP", "x", "H", attributeLetter);
        CoarsePromotion(coarse);
        return coarse[ChannelTypeName] + "/" + coarse[ChannelTypeLetter];
    };
    const auto fallen = [](const QString& attributeLetter, const QString& typeName = "16bit") {
        ChannelRow coarse = MakeChannel(1, "C", "03", "Right", typeName, "x", "s", attributeLetter);
        CoarseFallback(coarse);
        return coarse[ChannelTypeName] + "/" + coarse[ChannelTypeLetter];
    };
    for (const char* letter : {"I", "J", "A", "N"}) {
        EXPECT_EQ(promoted(letter), "16bit/S") << letter;
        EXPECT_EQ(fallen(letter), "Instant/I") << letter;
    }
    for (const char* letter : {"K", "M", "E", "F"}) {
        EXPECT_EQ(promoted(letter), "16bit/s") << letter;
        EXPECT_EQ(fallen(letter), "LTP/L") << letter;
    }
    for (const char* letter : {"H", "0", "B", "T", "i"})
        EXPECT_EQ(promoted(letter), "16bit/H") << letter;
    EXPECT_EQ(fallen("H"), "HTP/H");
    EXPECT_EQ(fallen("V"), "LTP/L");
    EXPECT_EQ(fallen("E", "16bit NF"), "16bit NF/s") << "only 16bit channels fall back";
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

    EXPECT_EQ(AttributeKeyIndexOf("20"), 19);
    for (const char* key : {"0", "21", "-", "", "abc", "99999999999999999999"})
        EXPECT_EQ(AttributeKeyIndexOf(key), -1) << key;
    EXPECT_EQ(ControlWheelIndexOf("Right"), 1);
    EXPECT_EQ(ControlWheelIndexOf("left"), -1);
    EXPECT_EQ(AttributeTypeIndexOf("V"), 22);
    for (const char* letter : {"v", "", "EE", "W"})
        EXPECT_EQ(AttributeTypeIndexOf(letter), -1) << letter;
}

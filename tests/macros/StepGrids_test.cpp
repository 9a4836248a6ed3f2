#include "macros/StepGrids.h"

#include <gtest/gtest.h>

using namespace macros;

namespace {

TextTable channelsOnly(const QStringList& channels) {
    return NewStepTable("M", channels);
}

ChannelRow channel(const QString& number, const QString& name) {
    ChannelRow row;
    row[ChannelNumber] = number;
    row[ChannelName] = name;
    return row;
}

} // namespace

TEST(StepGrids, HeadersNameTheChannelsAndFillTheDesignedColumnsWithDashes) {
    const TextTable two = channelsOnly({"3", "7"});
    EXPECT_EQ(StepGridHeaders(two, OpenMode::New),
              QStringList({"#", "类型", "时间", "Ch3", "Ch7", "-", "-", "-"}));
    EXPECT_EQ(StepGridHeaders(two, OpenMode::Edit),
              QStringList({"#", "类型", "时间", "ch3", "ch7", "-", "-", "-"}));
    EXPECT_EQ(ValueGridHeaders(two), QStringList({"ch3", "ch7", "-", "-", "-"}));

    const TextTable six = channelsOnly({"1", "2", "3", "4", "5", "6"});
    EXPECT_EQ(StepGridHeaders(six, OpenMode::New).size(), 9);
    EXPECT_FALSE(StepGridHeaders(six, OpenMode::New).contains("-"));
    EXPECT_EQ(ValueGridHeaders(six), QStringList({"ch1", "ch2", "ch3", "ch4", "ch5", "ch6"}));
}

TEST(StepGrids, RowsShowDataValuesOrTheDelayTime) {
    TextTable steps = channelsOnly({"3", "7"});
    AppendDataStep(steps, {"255", "128"});
    AppendDelayStep(steps, 10);
    steps.setCell(2, 2, "stray"); // a delay shows nothing of its channel fields

    EXPECT_EQ(StepGridRow(steps, 1), QStringList({"1", "data", "", "255", "128"}));
    EXPECT_EQ(StepGridRow(steps, 2), QStringList({"2", "delay", "10", "", ""}));
    for (int empty : {0, 3})
        EXPECT_EQ(StepGridRow(steps, empty), QStringList(5)) << empty;
}

TEST(StepGrids, RowCountGrowsWithTheStepsAndShrinksAfterADeleteClick) {
    struct Case {
        int rows, steps, expected;
    };
    for (const Case& c : {Case{7, 6, 7}, Case{7, 7, 8}, Case{8, 8, 9}, Case{12, 3, 12}})
        EXPECT_EQ(StepGridRowsFor(c.rows, c.steps), c.expected) << c.rows << "/" << c.steps;

    const Case afterDelete[] = {
        {7, 1, 8}, // a fresh grid grows to eight rows
        {7, 0, 8}, // deleting the only step counts row 1 as the last step still
        {8, 3, 8}, {12, 3, 8}, {12, 9, 10}, {10, 9, 10}, // no surplus row
        {2, 0, 2},
    };
    for (const Case& c : afterDelete)
        EXPECT_EQ(StepGridRowsAfterDeleteClick(c.rows, c.steps), c.expected)
            << c.rows << "/" << c.steps;
}

TEST(StepGrids, AClickOutsideTheStepsOffersTheNearestStep) {
    struct Case {
        int row, steps;
        std::optional<int> offered;
    };
    const Case cases[] = {{0, 3, 1}, {2, 3, 2}, {3, 3, 3}, {6, 3, 3}, {1, 0, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(StepToDelete(c.row, c.steps), c.offered) << c.row << "/" << c.steps;
}

TEST(StepGrids, ChannelLabelFindsTheNameByChannelNumberWithinTheChannelCount) {
    const ChannelRows rows{channel("1", "Dimmer"), channel("12", "Pan"), channel("2", "Pan fine"),
                           channel("3", "Tilt")};
    EXPECT_EQ(ChannelLabel(rows, 4, "12"), "Ch12 - Pan");
    EXPECT_EQ(ChannelLabel(rows, 4, "2"), "Ch2 - Pan fine");
    EXPECT_EQ(ChannelLabel(rows, 3, "3"), "Ch3 - ") << "beyond the channel count";
    EXPECT_EQ(ChannelLabel(rows, 9, "5"), "Ch5 - ");
}

TEST(LevelReadout, ShowsDecimalWholePercentAndUpperCaseHex) {
    struct Case {
        int level;
        const char *decimal, *percent, *hex;
    };
    const Case cases[] = {
        {0, "D: 0", "P: 0%", "H: 0"},       {3, "D: 3", "P: 1%", "H: 3"},
        {10, "D: 10", "P: 3%", "H: A"},     {128, "D: 128", "P: 50%", "H: 80"},
        {254, "D: 254", "P: 99%", "H: FE"}, {255, "D: 255", "P: 100%", "H: FF"},
    };
    for (const Case& c : cases) {
        const LevelReadout readout = ReadLevel(c.level);
        EXPECT_EQ(readout.decimal, c.decimal);
        EXPECT_EQ(readout.percent, c.percent);
        EXPECT_EQ(readout.hex, c.hex);
    }
}

TEST(DelayTime, PassesNumbersFrom0To255AsWholeTenths) {
    const QString notNumber = "请输入数字值...";
    const QString outOfRange = "请输入数字范围0-255...";
    struct Case {
        const char* text;
        std::optional<int> tenths;
        QString message;
    };
    const Case cases[] = {
        {"10", 10, ""},
        {"0", 0, ""},
        {"255", 255, ""},
        {"12.5", 12, ""},
        {"13.5", 14, ""},
        {"0.5", 0, ""},
        {" 7 ", 7, ""},
        {"254.6", 255, ""},
        {"", std::nullopt, notNumber},
        {"abc", std::nullopt, notNumber},
        {"1x", std::nullopt, notNumber},
        {"256", std::nullopt, outOfRange},
        {"-1", std::nullopt, outOfRange},
        {"255.4", std::nullopt, outOfRange},
        {"300", std::nullopt, outOfRange},
    };
    for (const Case& c : cases) {
        const DelayCheck check = CheckDelayTime(c.text);
        EXPECT_EQ(check.tenths, c.tenths) << c.text;
        EXPECT_EQ(check.message, c.message) << c.text;
    }
}

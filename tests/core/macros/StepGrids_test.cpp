#include "macros/StepGrids.h"

#include <gtest/gtest.h>

using namespace macros;
using stores::TextTable;

TEST(StepGrids, RowCountGrowsWithTheStepsAndShrinksAfterADeleteClick) {
    struct Case {
        int rows, steps, expected;
    };
    for (const Case& c : {Case{7, 6, 7}, Case{7, 7, 8}, Case{12, 3, 12}})
        EXPECT_EQ(StepGridRowsFor(c.rows, c.steps), c.expected) << c.rows << "/" << c.steps;
    // A fresh grid grows to eight; a grid with surplus rows shrinks to eight or to the steps.
    for (const Case& c : {Case{7, 1, 8}, Case{7, 0, 8}, Case{8, 3, 8}, Case{12, 3, 8},
                          Case{12, 9, 10}, Case{2, 0, 2}})
        EXPECT_EQ(StepGridRowsAfterDeleteClick(c.rows, c.steps), c.expected)
            << c.rows << "/" << c.steps;
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

TEST(DelayTime, PassesNumbersFrom0To255AsWholeTenthsHalvesToEven) {
    const QString notNumber = "请输入数字值...";
    const QString outOfRange = "请输入数字范围0-255...";
    struct Case {
        const char* text;
        std::optional<int> tenths;
        QString message;
    };
    const Case cases[] = {
        {"0", 0, ""},           {"255", 255, ""},          {"12.5", 12, ""},
        {"13.5", 14, ""},       {"254.6", 255, ""},        {" 7 ", 7, ""},
        {"", {}, notNumber},    {"1x", {}, notNumber},     {"-", {}, notNumber},
        {"-1", {}, outOfRange}, {"255.4", {}, outOfRange}, {"300", {}, outOfRange},
    };
    for (const Case& c : cases) {
        const DelayCheck check = CheckDelayTime(c.text);
        EXPECT_EQ(check.tenths, c.tenths) << c.text;
        EXPECT_EQ(check.message, c.message) << c.text;
    }
}

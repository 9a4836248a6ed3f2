#include "basicinfo/FixtureInfo.h"

#include <gtest/gtest.h>

using channels::ChannelColumn;
using channels::ChannelRows;

TEST(ColorChannelList, NamesOnlyRowsWithAColourMixLetter) {
    ChannelRows rows(8);
    const char* letters[] = {"A", "T", "U", "V", "t", "BC", "", "D"};
    for (int i = 0; i < 8; ++i) {
        rows[i][ChannelColumn::ChannelNumber] = QString::number(i + 1);
        rows[i][ChannelColumn::AttributeTypeLetter] = QString::fromLatin1(letters[i]);
    }
    rows[7][ChannelColumn::ChannelNumber] = "12"; // named by its number cell, not by its position
    EXPECT_EQ(basicinfo::ColorChannelList(rows), "CH2, CH3, CH4, CH12");
    EXPECT_EQ(basicinfo::ColorChannelList(ChannelRows(3)), "");
    EXPECT_EQ(basicinfo::ColorMixWarningText("CH5, CH6, CH7"),
              "彩色混合模式已被改变！\r\n\r\n请重新设置 CH5, CH6, CH7 通道...");
}

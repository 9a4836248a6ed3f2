#include "stores/TextTable.h"

#include <gtest/gtest.h>
#include <utility>

using namespace stores;

TEST(TextTable, BoundsAndCellsOutsideTheTable) {
    EXPECT_EQ(TextTable().fieldUpper(), -1);
    EXPECT_EQ(TextTable().rowUpper(), -1);
    // A negative bound on either side leaves no cell at all, never half a table.
    EXPECT_EQ(TextTable(3, -1).fieldUpper(), -1);
    EXPECT_EQ(TextTable(-1, 3).rowUpper(), -1);

    TextTable table(1, 1);
    TextTable expected = table;
    expected.setCell(1, 1, "in");
    table.setCell(1, 1, "in");
    for (auto [field, row] :
         std::initializer_list<std::pair<int, int>>{{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {2, 2}})
        table.setCell(field, row, "out");
    EXPECT_EQ(table, expected);
    EXPECT_TRUE(table.cell(2, 1).isEmpty());
    EXPECT_TRUE(table.cell(1, -1).isEmpty());
}

TEST(TextTable, ResizeKeepsTheCellsBothShapesShare) {
    TextTable table(1, 1);
    table.setCell(0, 0, "a");
    table.setCell(1, 0, "b");
    table.setCell(1, 1, "d");
    // Growing rows is how an editor adds an entry.
    table.resize(1, 2);
    EXPECT_EQ(table.cell(1, 1), "d");
    EXPECT_TRUE(table.cell(0, 2).isEmpty());
    // Both dimensions at once: the cells that stay inside keep their place; what was cut off
    // does not come back.
    table.resize(2, 0);
    table.resize(2, 1);
    EXPECT_EQ(table.cell(0, 0) + table.cell(1, 0), "ab");
    EXPECT_TRUE(table.cell(2, 0).isEmpty());
    EXPECT_TRUE(table.cell(1, 1).isEmpty());
    table.resize(-1, 5);
    EXPECT_EQ(table, TextTable());
}

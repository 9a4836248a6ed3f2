#include "stores/TextTable.h"

#include <gtest/gtest.h>
#include <utility>

using namespace stores;

TEST(TextTable, BoundsOfFreshAndEmptyTables) {
    const TextTable none;
    EXPECT_EQ(none.fieldUpper(), -1);
    EXPECT_EQ(none.rowUpper(), -1);
    EXPECT_EQ(none.cell(0, 0), QString());

    const TextTable table(3, 2);
    EXPECT_EQ(table.fieldUpper(), 3);
    EXPECT_EQ(table.rowUpper(), 2);
    for (int row = 0; row <= 2; ++row) {
        for (int field = 0; field <= 3; ++field)
            EXPECT_TRUE(table.cell(field, row).isEmpty());
    }

    // A negative bound on either side leaves no cell at all, never half a table.
    EXPECT_EQ(TextTable(3, -1).fieldUpper(), -1);
    EXPECT_EQ(TextTable(-1, 3).rowUpper(), -1);
}

TEST(TextTable, CellsOutsideTheTableReadEmptyAndIgnoreWrites) {
    TextTable table(1, 1);
    table.setCell(1, 1, "in");
    for (auto [field, row] :
         std::initializer_list<std::pair<int, int>>{{-1, 0}, {0, -1}, {2, 0}, {0, 2}, {2, 2}})
        table.setCell(field, row, "out");
    EXPECT_EQ(table, [] {
        TextTable expected(1, 1);
        expected.setCell(1, 1, "in");
        return expected;
    }());
    EXPECT_TRUE(table.cell(2, 1).isEmpty());
    EXPECT_TRUE(table.cell(1, -1).isEmpty());
}

TEST(TextTable, ResizeKeepsTheCellsBothShapesShare) {
    TextTable table(1, 1);
    table.setCell(0, 0, "a");
    table.setCell(1, 0, "b");
    table.setCell(0, 1, "c");
    table.setCell(1, 1, "d");

    // Growing rows is how an editor adds an entry.
    table.resize(1, 2);
    EXPECT_EQ(table.cell(0, 0), "a");
    EXPECT_EQ(table.cell(1, 1), "d");
    EXPECT_TRUE(table.cell(0, 2).isEmpty());

    // Both dimensions at once: the cells that stay inside keep their place.
    table.resize(2, 0);
    EXPECT_EQ(table.cell(0, 0), "a");
    EXPECT_EQ(table.cell(1, 0), "b");
    EXPECT_TRUE(table.cell(2, 0).isEmpty());
    EXPECT_TRUE(table.cell(0, 1).isEmpty());

    // What was cut off does not come back.
    table.resize(2, 1);
    EXPECT_TRUE(table.cell(0, 1).isEmpty());
    EXPECT_TRUE(table.cell(1, 1).isEmpty());

    table.resize(-1, 5);
    EXPECT_EQ(table, TextTable());
}

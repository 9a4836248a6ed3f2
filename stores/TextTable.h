#pragma once

#include <QString>
#include <vector>

namespace stores {

// A two-dimensional table of text cells addressed (field, row), both counted from 0. The field
// range is fixed by whoever builds the table; rows are what grows. Copies are independent.
class TextTable {
public:
    // A table without cells: both upper bounds read -1.
    TextTable() = default;
    // Fields 0..fieldUpper by rows 0..rowUpper, every cell the empty text. A negative bound gives
    // a table without cells.
    TextTable(int fieldUpper, int rowUpper);

    int fieldUpper() const { return m_fieldCount - 1; }
    int rowUpper() const { return m_rowCount - 1; }

    // Outside the table a read gives the empty text and a write is dropped.
    QString cell(int field, int row) const;
    void setCell(int field, int row, const QString& text);

    // New bounds; every cell inside both the old and the new bounds keeps its text.
    void resize(int fieldUpper, int rowUpper);

    bool operator==(const TextTable&) const = default;

private:
    bool contains(int field, int row) const;

    int m_fieldCount = 0;
    int m_rowCount = 0;
    std::vector<QString> m_cells; // row by row
};

} // namespace stores

#pragma once

#include <QString>
#include <span>
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
    const QString& cell(int field, int row) const {
        return contains(field, row) ? m_cells[static_cast<size_t>(row) * m_fieldCount + field]
                                    : outside();
    }
    void setCell(int field, int row, const QString& text);
    // The cells of one row, fields 0 to fieldUpper; none outside the table.
    std::span<const QString> row(int row) const {
        if (row < 0 || row >= m_rowCount)
            return {};
        return {m_cells.data() + static_cast<size_t>(row) * m_fieldCount,
                static_cast<size_t>(m_fieldCount)};
    }

    // New bounds; every cell inside both the old and the new bounds keeps its text.
    void resize(int fieldUpper, int rowUpper);

    bool operator==(const TextTable&) const = default;

private:
    bool contains(int field, int row) const {
        return field >= 0 && field < m_fieldCount && row >= 0 && row < m_rowCount;
    }
    static const QString& outside();

    int m_fieldCount = 0;
    int m_rowCount = 0;
    std::vector<QString> m_cells; // row by row
};

} // namespace stores

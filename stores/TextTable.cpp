#include "stores/TextTable.h"

namespace stores {

TextTable::TextTable(int fieldUpper, int rowUpper) {
    resize(fieldUpper, rowUpper);
}

const QString& TextTable::outside() {
    static const QString empty;
    return empty;
}

void TextTable::setCell(int field, int row, const QString& text) {
    if (contains(field, row))
        m_cells[static_cast<size_t>(row) * m_fieldCount + field] = text;
}

void TextTable::resize(int fieldUpper, int rowUpper) {
    // Either dimension without cells leaves no cell at all, so both bounds stay consistent.
    const int fields = fieldUpper < 0 || rowUpper < 0 ? 0 : fieldUpper + 1;
    const int rows = fields == 0 ? 0 : rowUpper + 1;

    std::vector<QString> cells(static_cast<size_t>(fields) * rows);
    for (int row = 0; row < rows && row < m_rowCount; ++row) {
        for (int field = 0; field < fields && field < m_fieldCount; ++field)
            cells[static_cast<size_t>(row) * fields + field] =
                std::move(m_cells[static_cast<size_t>(row) * m_fieldCount + field]);
    }
    m_cells = std::move(cells);
    m_fieldCount = fields;
    m_rowCount = rows;
}

} // namespace stores

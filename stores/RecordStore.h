#pragma once

#include "stores/TextTable.h"

#include <QStringList>
#include <optional>
#include <variant>
#include <vector>

namespace stores {

// One cell of a store. A table is held by value, so storing or reading one copies it whole.
using StoreValue = std::variant<std::monostate, QString, qint16, qint32, TextTable>;

// The fields of one column of each store.
namespace RangeFields {
constexpr int ChannelNumber = 0; // 32-bit integer
constexpr int RangeTable = 1;
} // namespace RangeFields

namespace PaletteFields {
constexpr int GroupName = 0;
constexpr int GroupChannelCount = 1; // 16-bit integer
constexpr int GroupTable = 2;
} // namespace PaletteFields

namespace MacroFields {
constexpr int MacroName = 0;
constexpr int MacroChannelCount = 1; // 16-bit integer
constexpr int StepTable = 2;
} // namespace MacroFields

// A store of records, one column per record, addressed (field, column). The last column is
// always an empty spare: a store holding N records has columns 0 to N and column N is empty.
// Positions outside 0..count()-1 are ignored by the writing operations and read as empty.
class RecordStore {
public:
    explicit RecordStore(int fieldCount);

    int fieldCount() const { return m_fieldCount; }
    // The number of records in use, which is also the index of the spare column.
    int count() const { return static_cast<int>(m_columns.size()) - 1; }
    // Field 0 of column 0 holds something other than nothing or the empty text.
    bool isNonEmpty() const;

    const StoreValue& value(int field, int column) const;
    // A text cell as it stands, a number in decimal, anything else the empty text.
    QString text(int field, int column) const;
    // The table held by a cell, or nullptr when the cell holds none.
    const TextTable* table(int field, int column) const;

    // Fills the spare column with the given fields (missing ones stay empty, surplus ones are
    // dropped) and adds a new spare.
    void append(std::vector<StoreValue> fields);
    void replace(int column, int field, StoreValue value);
    // Removes a record; the later ones move down one position in their order.
    void remove(int column);
    // Back to the spare column alone.
    void clear();

    // The first column whose field 0 holds a number equal to channelNumber.
    std::optional<int> findChannel(int channelNumber) const;
    // The last column whose field 0 is exactly name; an empty name finds nothing.
    std::optional<int> findMacro(const QString& name) const;
    // Field 0 of every record in order, as text; nothing while the store is empty.
    QStringList names() const;

    // Replaces work with a copy of the table in the cell; false, leaving work alone, when the cell
    // holds no table.
    bool copyOut(int column, int field, TextTable& work) const;

private:
    bool inUse(int field, int column) const;

    int m_fieldCount;
    std::vector<std::vector<StoreValue>> m_columns;
};

} // namespace stores

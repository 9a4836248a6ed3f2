#pragma once

#include <QString>
#include <array>
#include <cstddef>
#include <vector>

namespace channels {

// The fourteen text cells of one channel row of the channel grid, in column order.
enum class ChannelColumn {
    ChannelNumber,
    ChannelName,
    AttributeKey,
    ControlWheel,
    ChannelTypeName,
    OutputPercent,
    Curve,
    Invert,
    AttributeName,
    LocateLevel,
    HighLevel,
    LowLevel,
    ChannelTypeLetter,
    AttributeTypeLetter,
};

inline constexpr int ChannelColumnCount = 14;

// The column's position in the grid.
constexpr int ColumnIndex(ChannelColumn column) {
    return static_cast<int>(column);
}

// One row of the channel grid: row[ChannelColumn::ChannelName] names a cell, cells[c] is grid
// column c.
struct ChannelRow {
    std::array<QString, ChannelColumnCount> cells;

    QString& operator[](ChannelColumn column) { return cells[static_cast<std::size_t>(column)]; }
    const QString& operator[](ChannelColumn column) const {
        return cells[static_cast<std::size_t>(column)];
    }
    bool operator==(const ChannelRow&) const = default;
};

// The data rows of the channel grid: element 0 is grid row 1 (grid row 0 holds the headers).
using ChannelRows = std::vector<ChannelRow>;

} // namespace channels

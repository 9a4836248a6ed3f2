#pragma once

#include <QString>
#include <vector>

namespace ranges {

// The lowest and highest DMX value an interval may cover.
inline constexpr int LowestValue = 0;
inline constexpr int HighestValue = 255;

// One named interval of a channel's range table: the values Low to High, both inclusive.
struct RangeEntry {
    int low = 0;
    int high = 0;
    QString description;
    QString formula;

    bool operator==(const RangeEntry&) const = default;
};

// Entries in table order; element 0 is row 1 of the range grid (row 0 holds the headers).
using RangeEntries = std::vector<RangeEntry>;

// The range grid as the editor shows it: the entries without gaps from row 1 on, then empty rows
// up to rowCount - 1. rowCount counts the header row too and never shrinks while one table is
// edited, so the grid keeps the rows an earlier edit opened.
struct RangeGrid {
    RangeEntries entries;
    int rowCount = 8;
};

struct NewInterval {
    int from = 0;
    int to = 0;
    QString description;
    QString formula;
};

// Works [from, to] into the grid as a new entry: entries it covers whole go, entries it
// overlaps are trimmed, an entry it lies inside is split around it. The entries stay sorted and
// disjoint. An interval outside 0..255 or with from above to changes nothing.
void AddInterval(RangeGrid& grid, const NewInterval& interval);

// Frees the values from..to: entries inside go, overlapped ones are trimmed, an entry holding the
// interval strictly inside is split in two that both keep its texts. An empty grid, or an
// interval outside 0..255 or with from above to, changes nothing.
void ClearInterval(RangeGrid& grid, int from, int to);

// What the bound boxes propose when the editing panel opens.
struct IntervalBounds {
    int from = 0;
    int to = 0;
};

// Add: the value after the last entry (0 without entries, at most 255), from and to alike.
IntervalBounds AddModeBounds(const RangeEntries& entries);
// Clear: the whole table, from the first Low to the last High (0 and 0 without entries).
IntervalBounds ClearModeBounds(const RangeEntries& entries);

} // namespace ranges

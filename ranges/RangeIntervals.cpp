#include "ranges/RangeIntervals.h"

#include <algorithm>
#include <optional>

namespace ranges {

namespace {

// Where a bound value lies against the entry of a row.
enum class IntervalPos {
    BeforeLow, // in the gap in front of the entry
    Low,       // on the entry's Low
    Middle,    // strictly between Low and High
    High,      // on the entry's High
};
using Pos = IntervalPos;

// The rows (counted from 1, as in the grid) that the two bounds of an interval fall on. A value
// above the last entry falls on the row after it: the from value at Low, the to value at High.
// A one-value entry puts the from value at Low and the to value at High.
struct IntervalLocation {
    int fromRow = 0;
    Pos fromPos = Pos::BeforeLow;
    int toRow = 0;
    Pos toPos = Pos::BeforeLow;
};

// The range grid row by row, row 0 (the headers) included, with its empty rows. The edits below
// open, fill and close rows as the editor's grid does, so that the row count after an edit is
// the one the user sees.
class WorkGrid {
public:
    explicit WorkGrid(const RangeGrid& grid)
        : m_rows(std::max<std::size_t>(grid.rowCount, grid.entries.size() + 2)) {
        for (std::size_t i = 0; i < grid.entries.size(); ++i)
            m_rows[i + 1] = grid.entries[i];
        countEntries();
    }

    RangeGrid result() const {
        RangeGrid grid;
        grid.rowCount = static_cast<int>(m_rows.size());
        for (std::size_t r = 1; r < m_rows.size() && m_rows[r]; ++r)
            grid.entries.push_back(*m_rows[r]);
        return grid;
    }

    // The first empty row after the entries.
    int nextRow() const { return m_nextRow; }

    RangeEntries entries() const {
        RangeEntries entries;
        for (int r = 1; r < m_nextRow; ++r)
            entries.push_back(m_rows[r].value_or(RangeEntry{}));
        return entries;
    }

    // Opens count rows after row, each a copy of it; the rows below move down.
    void insertRows(int row, int count) {
        for (int n = 0; n < count; ++n) {
            growTo(m_nextRow + 2);
            for (int j = m_nextRow; j > row; --j)
                m_rows[j] = m_rows[j - 1];
            ++m_nextRow;
        }
    }

    // Closes rows row..row + count - 1; the entries below move up, leaving empty rows behind.
    void deleteRows(int row, int count) {
        if (count < 1)
            return;
        for (int r = row; r < row + count && r < rowCount(); ++r)
            m_rows[r].reset();
        for (int i = row + count; i < m_nextRow; ++i) {
            m_rows[i - count] = m_rows[i];
            m_rows[i].reset();
        }
        countEntries();
    }

    // A row past the last one, so that an empty row still follows an appended entry.
    void addRow() { m_rows.emplace_back(); }

    void setEntry(int row, const NewInterval& interval) {
        growTo(row + 1);
        m_rows[row] =
            RangeEntry{interval.from, interval.to, interval.description, interval.formula};
        m_nextRow = std::max(m_nextRow, row + 1);
    }
    void setLow(int row, int low) { m_rows[row]->low = low; }
    void setHigh(int row, int high) { m_rows[row]->high = high; }

private:
    int rowCount() const { return static_cast<int>(m_rows.size()); }

    void growTo(int rows) {
        if (rowCount() < rows)
            m_rows.resize(rows);
    }

    void countEntries() {
        m_nextRow = 1;
        for (int r = 1; r < rowCount(); ++r) {
            if (m_rows[r])
                ++m_nextRow;
        }
    }

    std::vector<std::optional<RangeEntry>> m_rows;
    int m_nextRow = 1;
};

bool IsValidInterval(int from, int to) {
    return LowestValue <= from && from <= to && to <= HighestValue;
}

bool StartsOutside(Pos pos) {
    return pos == Pos::BeforeLow || pos == Pos::Low;
}

bool EndsInside(Pos pos) {
    return pos == Pos::Low || pos == Pos::Middle;
}

// Position of a value that lies within an entry, the from side preferring Low.
Pos FromPosIn(const RangeEntry& entry, int value) {
    if (value == entry.low)
        return Pos::Low;
    return value == entry.high ? Pos::High : Pos::Middle;
}

// Position of a value that lies within an entry, the to side preferring High.
Pos ToPosIn(const RangeEntry& entry, int value) {
    if (value == entry.high)
        return Pos::High;
    return value == entry.low ? Pos::Low : Pos::Middle;
}

bool Holds(const RangeEntry& entry, int value) {
    return entry.low <= value && value <= entry.high;
}

// The row whose gap in front holds the value, 0 when the value lies in no gap between entries.
int GapRowOf(const RangeEntries& entries, int value) {
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        if (entries[i].high < value && value < entries[i + 1].low)
            return static_cast<int>(i) + 2;
    }
    return 0;
}

struct Placement {
    int row = 0;
    Pos pos = Pos::BeforeLow;
};

// The row a bound value falls on, looking for an entry that holds it from firstRow on; posIn
// tells where it lies within that entry. Past the last entry the value takes aboveLast.
Placement Place(const RangeEntries& entries, int value, int firstRow,
                Pos (*posIn)(const RangeEntry&, int), Pos aboveLast) {
    Placement at;
    const int afterLast = static_cast<int>(entries.size()) + 1;
    for (int r = firstRow; r < afterLast; ++r) {
        if (Holds(entries[r - 1], value))
            at = {r, posIn(entries[r - 1], value)};
    }
    if (at.row == 0 && value < entries.front().low)
        at = {1, Pos::BeforeLow};
    if (at.row == 0 && value > entries.back().high)
        at = {afterLast, aboveLast};
    if (at.row == 0)
        at = {GapRowOf(entries, value), Pos::BeforeLow};
    return at;
}

void AddOnOneRow(WorkGrid& grid, const IntervalLocation& at, const NewInterval& interval) {
    const int row = at.fromRow;
    const int from = interval.from;
    const int to = interval.to;
    if (StartsOutside(at.fromPos)) {
        if (at.toPos == Pos::High) {
            if (row == grid.nextRow())
                grid.addRow();
            grid.setEntry(row, interval);
            return;
        }
        grid.insertRows(row, 1);
        grid.setEntry(row, interval);
        if (EndsInside(at.toPos))
            grid.setLow(row + 1, to + 1);
        return;
    }
    if (at.toPos == Pos::Middle) {
        grid.insertRows(row, 2);
        grid.setHigh(row, from - 1);
        grid.setEntry(row + 1, interval);
        grid.setLow(row + 2, to + 1);
        return;
    }
    grid.insertRows(row, 1);
    grid.setHigh(row, from - 1);
    grid.setEntry(row + 1, interval);
}

// The from side decides where the new entry goes, the to side what happens to the entry the to
// value falls on; every old entry in between lies wholly inside the interval and goes.
void AddAcrossRows(WorkGrid& grid, const IntervalLocation& at, const NewInterval& interval) {
    const int first = at.fromRow;
    int last = at.toRow;
    int firstToDelete = first + 1;
    if (StartsOutside(at.fromPos)) {
        grid.setEntry(first, interval);
    } else {
        grid.insertRows(first, 1);
        grid.setHigh(first, interval.from - 1);
        grid.setEntry(first + 1, interval);
        ++firstToDelete;
        ++last;
    }
    if (EndsInside(at.toPos))
        grid.setLow(last, interval.to + 1);
    const int count = at.toRow - at.fromRow - (at.toPos == Pos::High ? 0 : 1);
    grid.deleteRows(firstToDelete, count);
}

void ClearOnOneRow(WorkGrid& grid, const IntervalLocation& at, int from, int to) {
    const int row = at.fromRow;
    if (at.toPos == Pos::BeforeLow)
        return;
    if (StartsOutside(at.fromPos)) {
        if (at.toPos == Pos::High)
            grid.deleteRows(row, 1);
        else
            grid.setLow(row, to + 1);
        return;
    }
    if (at.toPos == Pos::Middle) {
        grid.insertRows(row, 1);
        grid.setHigh(row, from - 1);
        grid.setLow(row + 1, to + 1);
        return;
    }
    grid.setHigh(row, from - 1);
}

void ClearAcrossRows(WorkGrid& grid, const IntervalLocation& at, int from, int to) {
    int first = at.fromRow;
    if (!StartsOutside(at.fromPos)) {
        grid.setHigh(at.fromRow, from - 1);
        ++first;
    }
    int last = at.toRow;
    if (at.toPos != Pos::High) {
        if (EndsInside(at.toPos))
            grid.setLow(at.toRow, to + 1);
        --last;
    }
    if (last >= first)
        grid.deleteRows(first, last - first + 1);
}

// Classifies from and to (from <= to) against sorted, disjoint entries; needs at least one.
IntervalLocation LocateInterval(const RangeEntries& entries, int from, int to) {
    const auto [fromRow, fromPos] = Place(entries, from, 1, FromPosIn, Pos::Low);
    const auto [toRow, toPos] = Place(entries, to, fromRow, ToPosIn, Pos::High);
    return {fromRow, fromPos, toRow, toPos};
}

} // namespace

void AddInterval(RangeGrid& grid, const NewInterval& interval) {
    if (!IsValidInterval(interval.from, interval.to))
        return;
    WorkGrid work(grid);
    if (work.nextRow() == 1) {
        work.setEntry(1, interval);
    } else {
        const IntervalLocation at = LocateInterval(work.entries(), interval.from, interval.to);
        if (at.fromRow == at.toRow)
            AddOnOneRow(work, at, interval);
        else
            AddAcrossRows(work, at, interval);
    }
    grid = work.result();
}

void ClearInterval(RangeGrid& grid, int from, int to) {
    // Without entries there is nothing to locate the bounds against, and nothing to free.
    if (!IsValidInterval(from, to) || grid.entries.empty())
        return;
    WorkGrid work(grid);
    const IntervalLocation at = LocateInterval(work.entries(), from, to);
    if (at.fromRow == at.toRow)
        ClearOnOneRow(work, at, from, to);
    else
        ClearAcrossRows(work, at, from, to);
    grid = work.result();
}

IntervalBounds AddModeBounds(const RangeEntries& entries) {
    if (entries.empty())
        return {};
    const int from = std::min(entries.back().high + 1, HighestValue);
    return {from, from};
}

IntervalBounds ClearModeBounds(const RangeEntries& entries) {
    if (entries.empty())
        return {};
    return {entries.front().low, entries.back().high};
}

} // namespace ranges

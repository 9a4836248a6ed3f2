#include "ranges/RangeIntervals.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <random>

namespace ranges {
// Readable entries in failure messages.
void PrintTo(const RangeEntry& entry, std::ostream* out) {
    *out << entry.low << '-' << entry.high << ' ' << entry.description.toStdString();
}
} // namespace ranges

namespace {

using namespace ranges;

// An old entry "A", "B" or "C" carries the formula "a", "b" or "c"; a new one is "N"/"n".
RangeEntry Old(int low, int high, const char* name) {
    return {low, high, name, QString(name).toLower()};
}
RangeEntry New(int low, int high) {
    return {low, high, "N", "n"};
}

const RangeEntry A = Old(10, 20, "A");
const RangeEntry B = Old(30, 40, "B");
const RangeEntry C = Old(50, 60, "C");

struct EditCase {
    int from;
    int to;
    RangeEntries expected;
    int rowCount; // the grid starts with its entries and two empty rows, or 8 rows when empty
};

void ExpectEdits(bool adding, const RangeEntries& start, std::initializer_list<EditCase> cases) {
    for (const EditCase& c : cases) {
        SCOPED_TRACE(testing::Message() << (adding ? "add " : "clear ") << c.from << "-" << c.to);
        RangeGrid grid{start, start.empty() ? 8 : static_cast<int>(start.size()) + 2};
        if (adding)
            AddInterval(grid, {c.from, c.to, "N", "n"});
        else
            ClearInterval(grid, c.from, c.to);
        EXPECT_EQ(grid.entries, c.expected);
        EXPECT_EQ(grid.rowCount, c.rowCount);
    }
}

// Opening a row when only the last grid row is empty grows the grid, and so does appending.
TEST(AddInterval, InsertsTrimsSplitsAndRemoves) {
    ExpectEdits(true, {}, {{10, 20, {New(10, 20)}, 8}});
    ExpectEdits(true, {A},
                {
                    {30, 40, {A, New(30, 40)}, 4},
                    {15, 17, {Old(10, 14, "A"), New(15, 17), Old(18, 20, "A")}, 5},
                    {5, 15, {New(5, 15), Old(16, 20, "A")}, 4},
                    {20, 20, {Old(10, 19, "A"), New(20, 20)}, 4},
                });
    ExpectEdits(true, {Old(10, 12, "A"), Old(14, 20, "B")},
                {
                    {5, 25, {New(5, 25)}, 4},
                    {12, 14, {Old(10, 11, "A"), New(12, 14), Old(15, 20, "B")}, 5},
                });
    ExpectEdits(true, {A, Old(25, 40, "B")},
                {{12, 30, {Old(10, 11, "A"), New(12, 30), Old(31, 40, "B")}, 5}});
    ExpectEdits(true, {Old(7, 7, "A")}, {{7, 7, {New(7, 7)}, 3}, {5, 7, {New(5, 7)}, 3}});
}

TEST(ClearInterval, TrimsSplitsAndRemoves) {
    ExpectEdits(false, {A},
                {
                    {10, 10, {Old(11, 20, "A")}, 3},
                    {20, 20, {Old(10, 19, "A")}, 3},
                    {12, 15, {Old(10, 11, "A"), Old(16, 20, "A")}, 4},
                    {10, 20, {}, 3},
                    {0, 5, {A}, 3},
                    {30, 40, {A}, 3},
                });
    ExpectEdits(false, {A, B, C},
                {
                    {15, 55, {Old(10, 14, "A"), Old(56, 60, "C")}, 5},
                    {5, 40, {C}, 5},
                    {20, 255, {Old(10, 19, "A")}, 5},
                });
    // Without entries there is nothing to free.
    ExpectEdits(false, {}, {{5, 25, {}, 8}});
}

// ---- Any sequence of edits against a model of 256 values ----

using Owners = std::array<int, HighestValue + 1>; // the edit that owns each value, 0 for free

QString NameOf(int edit) {
    return QStringLiteral("e%1").arg(edit);
}

// One entry per run of values owned by the same edit.
RangeEntries EntriesOf(const Owners& owners) {
    RangeEntries entries;
    for (int v = 0; v <= HighestValue; ++v) {
        const QString name = NameOf(owners[v]);
        if (owners[v] == 0)
            continue;
        if (!entries.empty() && entries.back().high == v - 1 && entries.back().description == name)
            entries.back().high = v;
        else
            entries.push_back({v, v, name, name + "f"});
    }
    return entries;
}

TEST(Intervals, AnySequenceOfEditsMatchesTheModel) {
    std::mt19937 random(20240506);
    // Bounds come mostly from a narrow band, so that edits keep meeting the entries' ends.
    std::uniform_int_distribution<int> narrow(20, 60), wide(LowestValue, HighestValue);
    std::uniform_int_distribution<int> percent(0, 99);
    const auto bound = [&] { return percent(random) < 80 ? narrow(random) : wide(random); };

    RangeGrid grid;
    Owners owners{};
    for (int edit = 1; edit <= 4000; ++edit) {
        int from = bound();
        int to = percent(random) < 30 ? from : bound();
        if (from > to)
            std::swap(from, to);
        const bool clearing = percent(random) < 35;
        if (clearing)
            ClearInterval(grid, from, to);
        else
            AddInterval(grid, {from, to, NameOf(edit), NameOf(edit) + "f"});
        for (int v = from; v <= to; ++v)
            owners[v] = clearing ? 0 : edit;

        SCOPED_TRACE(testing::Message() << "edit " << edit << ": " << from << "-" << to);
        // Equal to the model means sorted, disjoint and within 0..255 too.
        ASSERT_EQ(grid.entries, EntriesOf(owners));
        ASSERT_GE(grid.rowCount, static_cast<int>(grid.entries.size()) + 2);
    }
}

} // namespace

#include "ranges/RangeIntervals.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <random>

namespace ranges {

// Readable entries in failure messages.
void PrintTo(const RangeEntry& entry, std::ostream* out) {
    *out << entry.low << '-' << entry.high << ' ' << entry.description.toStdString() << '/'
         << entry.formula.toStdString();
}

} // namespace ranges

namespace {

using namespace ranges;
using Pos = IntervalPos;

// An old entry named "A", "B" or "C" carries the formula "a", "b" or "c".
RangeEntry Old(int low, int high, const char* name) {
    return {low, high, name, QString(name).toLower()};
}

// The interval every add below works in.
RangeEntry New(int low, int high) {
    return {low, high, "N", "n"};
}

NewInterval Adding(int from, int to) {
    return {from, to, "N", "n"};
}

RangeGrid GridOf(RangeEntries entries) {
    const int rows = static_cast<int>(entries.size()) + 2;
    return {std::move(entries), rows};
}

const RangeEntries TwoEntries{Old(10, 20, "A"), Old(30, 40, "B")};
const RangeEntries ThreeEntries{Old(10, 20, "A"), Old(30, 40, "B"), Old(50, 60, "C")};

struct LocateCase {
    int from;
    int to;
    IntervalLocation expected;
};

TEST(LocateInterval, PlacesBothBoundsOnTheirRows) {
    const RangeEntries entries{Old(10, 20, "A"), Old(30, 40, "B"), Old(50, 50, "C")};
    const LocateCase cases[] = {
        {5, 5, {1, Pos::BeforeLow, 1, Pos::BeforeLow}},
        {5, 10, {1, Pos::BeforeLow, 1, Pos::Low}},
        {5, 15, {1, Pos::BeforeLow, 1, Pos::Middle}},
        {5, 20, {1, Pos::BeforeLow, 1, Pos::High}},
        {10, 10, {1, Pos::Low, 1, Pos::Low}},
        {10, 20, {1, Pos::Low, 1, Pos::High}},
        {15, 15, {1, Pos::Middle, 1, Pos::Middle}},
        {20, 20, {1, Pos::High, 1, Pos::High}},
        {21, 29, {2, Pos::BeforeLow, 2, Pos::BeforeLow}},
        {15, 35, {1, Pos::Middle, 2, Pos::Middle}},
        {25, 45, {2, Pos::BeforeLow, 3, Pos::BeforeLow}},
        // A one-value entry: the from side takes its Low, the to side its High.
        {50, 50, {3, Pos::Low, 3, Pos::High}},
        {45, 50, {3, Pos::BeforeLow, 3, Pos::High}},
        // Above the last entry: the row after it.
        {60, 70, {4, Pos::Low, 4, Pos::High}},
        {0, 255, {1, Pos::BeforeLow, 4, Pos::High}},
    };
    for (const LocateCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << "-" << c.to);
        EXPECT_EQ(LocateInterval(entries, c.from, c.to), c.expected);
    }
}

struct EditCase {
    const char* what;
    int from;
    int to;
    RangeEntries expected;
    int rowCount;
};

void ExpectAdds(const RangeEntries& start, std::initializer_list<EditCase> cases) {
    for (const EditCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ": add " << c.from << "-" << c.to);
        RangeGrid grid = GridOf(start);
        AddInterval(grid, Adding(c.from, c.to));
        EXPECT_EQ(grid.entries, c.expected);
        EXPECT_EQ(grid.rowCount, c.rowCount);
    }
}

void ExpectClears(const RangeEntries& start, std::initializer_list<EditCase> cases) {
    for (const EditCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.what << ": clear " << c.from << "-" << c.to);
        RangeGrid grid = GridOf(start);
        ClearInterval(grid, c.from, c.to);
        EXPECT_EQ(grid.entries, c.expected);
        EXPECT_EQ(grid.rowCount, c.rowCount);
    }
}

// The grid starts with its entries and two more rows; opening a row on a grid whose only empty
// row is the last one grows it, and so does appending after the last entry.
TEST(AddInterval, WithinOneRow) {
    const RangeEntry a = Old(10, 20, "A");
    ExpectAdds(TwoEntries,
               {
                   {"gap to gap", 22, 25, {a, New(22, 25), Old(30, 40, "B")}, 5},
                   {"gap to Low", 25, 30, {a, New(25, 30), Old(31, 40, "B")}, 5},
                   {"gap to middle", 25, 35, {a, New(25, 35), Old(36, 40, "B")}, 5},
                   {"gap to High", 25, 40, {a, New(25, 40)}, 4},
                   {"Low to Low", 30, 30, {a, New(30, 30), Old(31, 40, "B")}, 5},
                   {"Low to middle", 30, 35, {a, New(30, 35), Old(36, 40, "B")}, 5},
                   {"Low to High", 30, 40, {a, New(30, 40)}, 4},
                   {"after the last", 50, 60, {a, Old(30, 40, "B"), New(50, 60)}, 5},
                   {"split", 32, 35, {a, Old(30, 31, "B"), New(32, 35), Old(36, 40, "B")}, 6},
                   {"middle to High", 35, 40, {a, Old(30, 34, "B"), New(35, 40)}, 5},
                   {"High to High", 40, 40, {a, Old(30, 39, "B"), New(40, 40)}, 5},
                   {"in front of the first", 0, 5, {New(0, 5), a, Old(30, 40, "B")}, 5},
               });
}

TEST(AddInterval, AcrossRows) {
    const RangeEntry c = Old(50, 60, "C");
    ExpectAdds(
        ThreeEntries,
        {
            {"gap to gap", 5, 25, {New(5, 25), Old(30, 40, "B"), c}, 5},
            {"Low to gap", 10, 45, {New(10, 45), c}, 5},
            {"gap to Low", 5, 30, {New(5, 30), Old(31, 40, "B"), c}, 5},
            {"Low to middle", 10, 55, {New(10, 55), Old(56, 60, "C")}, 5},
            {"gap to High", 5, 40, {New(5, 40), c}, 5},
            {"Low to above the last", 10, 255, {New(10, 255)}, 5},
            {"middle to gap", 15, 25, {Old(10, 14, "A"), New(15, 25), Old(30, 40, "B"), c}, 6},
            {"High to gap", 20, 45, {Old(10, 19, "A"), New(20, 45), c}, 6},
            {"middle to Low", 15, 30, {Old(10, 14, "A"), New(15, 30), Old(31, 40, "B"), c}, 6},
            {"High to middle", 20, 55, {Old(10, 19, "A"), New(20, 55), Old(56, 60, "C")}, 6},
            {"middle to High", 15, 40, {Old(10, 14, "A"), New(15, 40), c}, 6},
            {"High to above the last", 20, 255, {Old(10, 19, "A"), New(20, 255)}, 6},
        });
}

TEST(AddInterval, SharedEndpointsAndOneValueEntries) {
    ExpectAdds({Old(7, 7, "A")}, {
                                     {"same one value", 7, 7, {New(7, 7)}, 3},
                                     {"ending on it", 5, 7, {New(5, 7)}, 3},
                                     {"starting on it", 7, 9, {New(7, 9)}, 3},
                                     {"next to it", 8, 8, {Old(7, 7, "A"), New(8, 8)}, 4},
                                 });
    ExpectAdds({Old(10, 12, "A"), Old(14, 20, "B")},
               {
                   {"covering both", 5, 25, {New(5, 25)}, 4},
                   {"from one High to the next Low",
                    12,
                    14,
                    {Old(10, 11, "A"), New(12, 14), Old(15, 20, "B")},
                    5},
               });
    ExpectAdds({Old(10, 20, "A"), Old(25, 40, "B")},
               {
                   {"trimming both", 12, 30, {Old(10, 11, "A"), New(12, 30), Old(31, 40, "B")}, 5},
               });
}

TEST(AddInterval, FirstEntryOfAnEmptyGrid) {
    RangeGrid grid;
    AddInterval(grid, Adding(10, 20));
    EXPECT_EQ(grid, (RangeGrid{{New(10, 20)}, 8}));
}

TEST(ClearInterval, WithinOneRow) {
    const RangeEntry a = Old(10, 20, "A");
    ExpectClears(
        TwoEntries,
        {
            {"gap to gap", 22, 25, TwoEntries, 4},
            {"gap to Low", 25, 30, {a, Old(31, 40, "B")}, 4},
            {"gap to middle", 25, 35, {a, Old(36, 40, "B")}, 4},
            {"gap to High", 25, 40, {a}, 4},
            {"Low to Low", 30, 30, {a, Old(31, 40, "B")}, 4},
            {"Low to middle", 30, 35, {a, Old(36, 40, "B")}, 4},
            {"Low to High", 30, 40, {a}, 4},
            {"above the last", 50, 60, TwoEntries, 4},
            {"split", 32, 35, {a, Old(30, 31, "B"), Old(36, 40, "B")}, 5},
            {"middle to High", 35, 40, {a, Old(30, 34, "B")}, 4},
            {"High to High", 40, 40, {a, Old(30, 39, "B")}, 4},
            {"one value in the middle", 35, 35, {a, Old(30, 34, "B"), Old(36, 40, "B")}, 5},
        });
    ExpectClears({Old(7, 7, "A")}, {{"a one-value entry", 7, 7, {}, 3}});
}

TEST(ClearInterval, AcrossRows) {
    const RangeEntry c = Old(50, 60, "C");
    ExpectClears(ThreeEntries,
                 {
                     {"gap to gap", 5, 25, {Old(30, 40, "B"), c}, 5},
                     {"Low to gap", 10, 45, {c}, 5},
                     {"gap to Low", 5, 30, {Old(31, 40, "B"), c}, 5},
                     {"Low to middle", 10, 55, {Old(56, 60, "C")}, 5},
                     {"gap to High", 5, 40, {c}, 5},
                     {"Low to High", 10, 60, {}, 5},
                     {"middle to gap", 15, 25, {Old(10, 14, "A"), Old(30, 40, "B"), c}, 5},
                     {"High to Low", 20, 50, {Old(10, 19, "A"), Old(51, 60, "C")}, 5},
                     {"middle to middle", 15, 55, {Old(10, 14, "A"), Old(56, 60, "C")}, 5},
                     {"High to above the last", 20, 255, {Old(10, 19, "A")}, 5},
                     {"everything", 0, 255, {}, 5},
                 });
}

TEST(ClearInterval, AnEmptyGridStaysAsItIs) {
    RangeGrid grid{{}, 9};
    ClearInterval(grid, 0, 0);
    ClearInterval(grid, 5, 25);
    EXPECT_EQ(grid, (RangeGrid{{}, 9}));
}

TEST(Intervals, OutsideTheValuesOrReversedChangeNothing) {
    const RangeGrid start = GridOf(TwoEntries);
    for (const auto& [from, to] : {std::pair{20, 10}, {-1, 5}, {250, 256}}) {
        SCOPED_TRACE(testing::Message() << from << "-" << to);
        RangeGrid grid = start;
        AddInterval(grid, Adding(from, to));
        ClearInterval(grid, from, to);
        EXPECT_EQ(grid, start);
    }
}

TEST(ModeBounds, ProposeTheNextFreeValueOrTheWholeTable) {
    EXPECT_EQ(AddModeBounds({}), (IntervalBounds{0, 0}));
    EXPECT_EQ(AddModeBounds({Old(0, 100, "A")}), (IntervalBounds{101, 101}));
    EXPECT_EQ(AddModeBounds({Old(0, 255, "A")}), (IntervalBounds{255, 255}));
    EXPECT_EQ(ClearModeBounds({}), (IntervalBounds{0, 0}));
    EXPECT_EQ(ClearModeBounds(TwoEntries), (IntervalBounds{10, 40}));
}

// ---- Any sequence of edits against a model of 256 values ----

constexpr int Free = 0;
using Owners = std::array<int, HighestValue + 1>; // the number of the add that owns each value

QString NameOf(int add) {
    return QStringLiteral("e%1").arg(add);
}

// The entries the model calls for: one per run of values owned by the same add.
RangeEntries EntriesOf(const Owners& owners) {
    RangeEntries entries;
    for (int v = 0; v <= HighestValue; ++v) {
        if (owners[v] == Free)
            continue;
        if (!entries.empty() && entries.back().high == v - 1 &&
            entries.back().description == NameOf(owners[v])) {
            entries.back().high = v;
        } else {
            entries.push_back({v, v, NameOf(owners[v]), NameOf(owners[v]) + "f"});
        }
    }
    return entries;
}

void ExpectSoundGrid(const RangeGrid& grid) {
    const RangeEntries& entries = grid.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        ASSERT_LE(LowestValue, entries[i].low);
        ASSERT_LE(entries[i].low, entries[i].high);
        ASSERT_LE(entries[i].high, HighestValue);
        if (i + 1 < entries.size()) {
            ASSERT_LT(entries[i].high, entries[i + 1].low);
        }
    }
    // An empty row always follows the entries.
    ASSERT_GE(grid.rowCount, static_cast<int>(entries.size()) + 2);
}

TEST(Intervals, AnySequenceOfEditsMatchesTheSlots) {
    std::mt19937 random(20240506);
    // Bounds are drawn mostly from a narrow band so that edits keep meeting entries' ends.
    std::uniform_int_distribution<int> narrow(20, 60);
    std::uniform_int_distribution<int> wide(LowestValue, HighestValue);
    std::uniform_int_distribution<int> percent(0, 99);
    const auto bound = [&] { return percent(random) < 80 ? narrow(random) : wide(random); };

    RangeGrid grid;
    Owners owners{};
    for (int add = 1; add <= 4000; ++add) {
        int from = bound();
        int to = percent(random) < 30 ? from : bound();
        if (from > to)
            std::swap(from, to);
        const bool clearing = percent(random) < 35;
        if (clearing) {
            ClearInterval(grid, from, to);
        } else {
            AddInterval(grid, {from, to, NameOf(add), NameOf(add) + "f"});
        }
        for (int v = from; v <= to; ++v)
            owners[v] = clearing ? Free : add;

        SCOPED_TRACE(testing::Message()
                     << "edit " << add << (clearing ? ": clear " : ": add ") << from << "-" << to);
        ExpectSoundGrid(grid);
        ASSERT_EQ(grid.entries, EntriesOf(owners));
    }
}

} // namespace

#include "stores/AdvancedStores.h"

#include <gtest/gtest.h>

using namespace stores;

namespace {

TextTable oneCellTable(const QString& text) {
    TextTable table(0, 0);
    table.setCell(0, 0, text);
    return table;
}

bool spareIsEmpty(const RecordStore& store) {
    for (int field = 0; field < store.fieldCount(); ++field) {
        if (!std::holds_alternative<std::monostate>(store.value(field, store.count())))
            return false;
    }
    return true;
}

RecordStore macrosNamed(const QStringList& names) {
    RecordStore store(3);
    for (const QString& name : names)
        store.append({name, qint16(1), oneCellTable(name)});
    return store;
}

} // namespace

TEST(StoreRecords, AppendFillsTheSpareAndClearLeavesOnlyTheSpare) {
    RecordStore store(3);
    EXPECT_FALSE(store.isNonEmpty());
    EXPECT_TRUE(spareIsEmpty(store));
    store.append({QString("Colour"), qint16(2), oneCellTable("c")});
    EXPECT_TRUE(store.isNonEmpty());
    EXPECT_EQ(store.text(PaletteFields::GroupChannelCount, 0), "2");
    EXPECT_EQ(store.table(PaletteFields::GroupTable, 0)->cell(0, 0), "c");
    // Short records leave their missing fields empty; surplus fields are dropped.
    store.append({QString("Gobo")});
    store.append({QString("Pan/Tilt"), qint16(1), TextTable(), QString("surplus")});
    EXPECT_TRUE(std::holds_alternative<std::monostate>(store.value(1, 1)));
    EXPECT_EQ(store.names(), QStringList({"Colour", "Gobo", "Pan/Tilt"}));
    EXPECT_TRUE(spareIsEmpty(store));
    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_TRUE(store.names().isEmpty());
    EXPECT_TRUE(spareIsEmpty(store));
}

TEST(StoreRecords, RemoveShiftsLaterRecordsDownAndIgnoresOtherPositions) {
    const std::vector<std::tuple<QStringList, int, QStringList>> cases{
        {{"A", "B", "C", "D"}, 1, {"A", "C", "D"}},
        {{"A", "B"}, 1, {"A"}},
        {{"A"}, 0, {}},
        {{"A", "B"}, -1, {"A", "B"}},
        {{"A", "B"}, 2, {"A", "B"}},
    };
    for (const auto& [names, column, left] : cases) {
        RecordStore store = macrosNamed(names);
        store.remove(column);
        EXPECT_EQ(store.names(), left) << column;
        EXPECT_EQ(store.count(), left.size());
        EXPECT_TRUE(spareIsEmpty(store));
        if (!left.isEmpty()) {
            EXPECT_EQ(store.table(MacroFields::StepTable, store.count() - 1)->cell(0, 0),
                      left.last());
        }
    }
    // The emptied store takes records again as a fresh one does.
    RecordStore only = macrosNamed({"A"});
    only.remove(0);
    only.append({QString("B"), qint16(1), TextTable()});
    EXPECT_EQ(only.names(), QStringList({"B"}));
}

TEST(StoreRecords, ReplaceOverwritesOnlyRecordsInUseAndTablesAreIndependentCopies) {
    RecordStore store(2);
    TextTable work = oneCellTable("three");
    store.append({qint32(3), work});
    work.setCell(0, 0, "changed after storing");
    EXPECT_EQ(store.table(RangeFields::RangeTable, 0)->cell(0, 0), "three");

    TextTable out;
    ASSERT_TRUE(store.copyOut(0, RangeFields::RangeTable, out));
    store.replace(0, RangeFields::RangeTable, oneCellTable("new three"));
    EXPECT_EQ(out.cell(0, 0), "three");
    EXPECT_EQ(store.table(RangeFields::RangeTable, 0)->cell(0, 0), "new three");

    // The spare must stay empty, and positions outside the store are no records.
    store.replace(1, RangeFields::ChannelNumber, qint32(9));
    store.replace(-1, RangeFields::ChannelNumber, qint32(9));
    store.replace(0, 2, qint32(9));
    EXPECT_EQ(store.count(), 1);
    EXPECT_TRUE(spareIsEmpty(store));
    EXPECT_EQ(store.text(RangeFields::ChannelNumber, 0), "3");
    // A cell without a table, or a position without a record, leaves the work table alone.
    EXPECT_FALSE(store.copyOut(0, RangeFields::ChannelNumber, out));
    EXPECT_FALSE(store.copyOut(1, RangeFields::RangeTable, out));
    EXPECT_FALSE(store.copyOut(-1, RangeFields::RangeTable, out));
    EXPECT_EQ(out.cell(0, 0), "three");
}

TEST(StoreRecords, FindChannelTakesTheFirstNumberAndFindMacroTheLastExactName) {
    RecordStore ranges(2);
    for (const StoreValue& number :
         {StoreValue(qint32(12)), StoreValue(qint16(5)), StoreValue(QString(" 7 ")),
          StoreValue(qint32(12)), StoreValue(QString("abc"))})
        ranges.append({number, TextTable()});
    EXPECT_EQ(ranges.findChannel(12), 0);
    EXPECT_EQ(ranges.findChannel(5), 1);
    EXPECT_EQ(ranges.findChannel(7), 2);
    EXPECT_FALSE(ranges.findChannel(8));
    EXPECT_FALSE(ranges.findChannel(0)) << "the empty spare never matches channel 0";

    const RecordStore macros = macrosNamed({"Fade", "Chase", "Fade"});
    EXPECT_EQ(macros.findMacro("Fade"), 2);
    EXPECT_EQ(macros.findMacro("Chase"), 1);
    for (const QString& name : {QString("chase"), QString("Chase "), QString()})
        EXPECT_FALSE(macros.findMacro(name)) << name.toStdString();
}

TEST(StoreRecords, OnlyTheFirstColumnDecidesWhetherTheStoreHoldsAnything) {
    RecordStore emptyFirst(3);
    emptyFirst.append({QString(), qint16(1), TextTable()});
    emptyFirst.append({QString("Gobo"), qint16(1), TextTable()});
    EXPECT_FALSE(emptyFirst.isNonEmpty());
    EXPECT_TRUE(emptyFirst.names().isEmpty());

    RecordStore channelZero(2);
    channelZero.append({qint32(0), TextTable()});
    EXPECT_TRUE(channelZero.isNonEmpty());
    EXPECT_EQ(channelZero.names(), QStringList({"0"}));
}

TEST(StoreAdvanced, EmptyingDiscardsRecordsButKeepsWorkTables) {
    AdvancedStores stores;
    stores.rangeTables.append({qint32(1), oneCellTable("r")});
    stores.paletteGroups.append({QString("Colour"), qint16(1), oneCellTable("p")});
    stores.macros.append({QString("M"), qint16(1), oneCellTable("m")});
    stores.paletteTable = oneCellTable("work p");
    stores.emptyStores();
    for (const RecordStore* store : {&stores.rangeTables, &stores.paletteGroups, &stores.macros})
        EXPECT_EQ(store->count(), 0);
    EXPECT_EQ(stores.rangeTables.fieldCount() + stores.paletteGroups.fieldCount(), 5);
    EXPECT_EQ(stores.paletteTable.cell(0, 0), "work p");
}

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

RecordStore macrosNamed(std::initializer_list<const char*> names) {
    RecordStore store(3);
    for (const char* name : names)
        store.append({QString(name), qint16(1), oneCellTable(name)});
    return store;
}

} // namespace

TEST(StoreRecords, FreshAndEmptiedStoresHoldOnlyTheSpare) {
    RecordStore store(3);
    EXPECT_EQ(store.count(), 0);
    EXPECT_FALSE(store.isNonEmpty());
    EXPECT_TRUE(store.names().isEmpty());
    EXPECT_FALSE(store.findChannel(0));
    EXPECT_FALSE(store.findMacro("M"));
    EXPECT_TRUE(spareIsEmpty(store));

    store.append({QString("M"), qint16(2), oneCellTable("x")});
    store.clear();
    EXPECT_EQ(store.count(), 0);
    EXPECT_FALSE(store.isNonEmpty());
    EXPECT_TRUE(spareIsEmpty(store));
    EXPECT_EQ(store.fieldCount(), 3);
}

TEST(StoreRecords, AppendFillsTheSpareAndAddsANewOne) {
    RecordStore store(3);
    store.append({QString("Colour"), qint16(2), oneCellTable("c")});
    EXPECT_EQ(store.count(), 1);
    EXPECT_TRUE(store.isNonEmpty());
    EXPECT_EQ(store.text(PaletteFields::GroupName, 0), "Colour");
    EXPECT_EQ(std::get<qint16>(store.value(PaletteFields::GroupChannelCount, 0)), 2);
    ASSERT_NE(store.table(PaletteFields::GroupTable, 0), nullptr);
    EXPECT_EQ(store.table(PaletteFields::GroupTable, 0)->cell(0, 0), "c");
    EXPECT_TRUE(spareIsEmpty(store));

    // Short records leave their missing fields empty; surplus fields are dropped.
    store.append({QString("Gobo")});
    store.append({QString("Pan/Tilt"), qint16(1), TextTable(), QString("surplus")});
    EXPECT_EQ(store.count(), 3);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(store.value(1, 1)));
    EXPECT_EQ(store.names(), QStringList({"Colour", "Gobo", "Pan/Tilt"}));
    EXPECT_TRUE(spareIsEmpty(store));
}

TEST(StoreRecords, RemoveShiftsLaterRecordsDownInOrder) {
    RecordStore middle = macrosNamed({"A", "B", "C", "D"});
    middle.remove(1);
    EXPECT_EQ(middle.names(), QStringList({"A", "C", "D"}));
    EXPECT_EQ(middle.table(MacroFields::StepTable, 1)->cell(0, 0), "C");
    EXPECT_TRUE(spareIsEmpty(middle));

    RecordStore last = macrosNamed({"A", "B"});
    last.remove(1);
    EXPECT_EQ(last.names(), QStringList({"A"}));
    EXPECT_TRUE(spareIsEmpty(last));

    RecordStore only = macrosNamed({"A"});
    only.remove(0);
    EXPECT_EQ(only.count(), 0);
    EXPECT_FALSE(only.isNonEmpty());
    EXPECT_TRUE(spareIsEmpty(only));
    // The emptied store takes records again as a fresh one does.
    only.append({QString("B"), qint16(1), TextTable()});
    EXPECT_EQ(only.names(), QStringList({"B"}));

    RecordStore outside = macrosNamed({"A", "B"});
    for (int column : {-1, 2, 3})
        outside.remove(column);
    EXPECT_EQ(outside.names(), QStringList({"A", "B"}));
}

TEST(StoreRecords, ReplaceOverwritesInPlaceOnlyRecordsInUse) {
    RecordStore store(2);
    store.append({qint32(3), oneCellTable("three")});
    store.append({qint32(7), oneCellTable("seven")});

    store.replace(0, RangeFields::RangeTable, oneCellTable("new three"));
    EXPECT_EQ(store.count(), 2);
    EXPECT_EQ(store.text(RangeFields::ChannelNumber, 0), "3");
    EXPECT_EQ(store.table(RangeFields::RangeTable, 0)->cell(0, 0), "new three");
    EXPECT_EQ(store.table(RangeFields::RangeTable, 1)->cell(0, 0), "seven");

    // The spare must stay empty, and positions outside the store are no records.
    store.replace(2, RangeFields::ChannelNumber, qint32(9));
    store.replace(-1, RangeFields::ChannelNumber, qint32(9));
    store.replace(0, 2, qint32(9));
    EXPECT_EQ(store.count(), 2);
    EXPECT_TRUE(spareIsEmpty(store));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(store.value(2, 0)));
    EXPECT_EQ(store.table(RangeFields::RangeTable, 5), nullptr);
}

TEST(StoreRecords, TablesPassInAndOutAsIndependentCopies) {
    RecordStore store(2);
    TextTable work = oneCellTable("stored");
    store.append({qint32(1), work});
    work.setCell(0, 0, "changed after storing");
    EXPECT_EQ(store.table(RangeFields::RangeTable, 0)->cell(0, 0), "stored");

    TextTable out;
    ASSERT_TRUE(store.copyOut(0, RangeFields::RangeTable, out));
    store.replace(0, RangeFields::RangeTable, oneCellTable("replaced"));
    EXPECT_EQ(out.cell(0, 0), "stored");

    // A cell without a table, or a position without a record, leaves the work table alone.
    EXPECT_FALSE(store.copyOut(0, RangeFields::ChannelNumber, out));
    EXPECT_FALSE(store.copyOut(1, RangeFields::RangeTable, out));
    EXPECT_FALSE(store.copyOut(-1, RangeFields::RangeTable, out));
    EXPECT_EQ(out.cell(0, 0), "stored");
}

TEST(StoreRecords, FindChannelComparesNumbersAndTakesTheFirstMatch) {
    RecordStore store(2);
    store.append({qint32(12), oneCellTable("first 12")});
    store.append({qint16(5), TextTable()});
    store.append({QString(" 7 "), TextTable()});
    store.append({qint32(12), oneCellTable("second 12")});
    store.append({QString("abc"), TextTable()});

    EXPECT_EQ(store.findChannel(12), 0);
    EXPECT_EQ(store.findChannel(5), 1);
    EXPECT_EQ(store.findChannel(7), 2);
    EXPECT_FALSE(store.findChannel(8));
    // The empty spare is scanned but never matches channel 0.
    EXPECT_FALSE(store.findChannel(0));
}

TEST(StoreRecords, FindMacroTakesTheLastExactName) {
    RecordStore store = macrosNamed({"Fade", "Chase", "Fade"});
    EXPECT_EQ(store.findMacro("Fade"), 2);
    EXPECT_EQ(store.findMacro("Chase"), 1);
    EXPECT_FALSE(store.findMacro("chase"));
    EXPECT_FALSE(store.findMacro("Chase "));
    // An empty name must not find the empty spare.
    EXPECT_FALSE(store.findMacro(QString()));
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
    stores.curRangeTable = oneCellTable("work r");
    stores.paletteTable = oneCellTable("work p");
    stores.macroStepTable = oneCellTable("work m");

    stores.emptyStores();
    for (const RecordStore* store : {&stores.rangeTables, &stores.paletteGroups, &stores.macros}) {
        EXPECT_EQ(store->count(), 0);
        EXPECT_FALSE(store->isNonEmpty());
    }
    EXPECT_EQ(stores.rangeTables.fieldCount(), 2);
    EXPECT_EQ(stores.paletteGroups.fieldCount(), 3);
    EXPECT_EQ(stores.macros.fieldCount(), 3);
    EXPECT_EQ(stores.curRangeTable.cell(0, 0), "work r");
    EXPECT_EQ(stores.paletteTable.cell(0, 0), "work p");
    EXPECT_EQ(stores.macroStepTable.cell(0, 0), "work m");
}

#include "macros/MacroSteps.h"

#include <gtest/gtest.h>

using namespace macros;

namespace {

// Steps of a macro on channels 3 and 7, each step given by its row cells after the kind.
TextTable stepsOf(const QString& name, const std::vector<QStringList>& rows) {
    TextTable steps = NewStepTable(name, {"3", "7"});
    for (const QStringList& row : rows) {
        if (row.size() == 1)
            AppendDelayStep(steps, row[0].toInt());
        else
            AppendDataStep(steps, row);
    }
    return steps;
}

QStringList row(const TextTable& table, int r) {
    QStringList cells;
    for (int field = 0; field <= table.fieldUpper(); ++field)
        cells << table.cell(field, r);
    return cells;
}

} // namespace

TEST(MacroSteps, DataAndDelayStepsTakeTheStoredShape) {
    TextTable steps = NewStepTable("Fade", {"3", "7"});
    EXPECT_EQ(row(steps, 0), QStringList({"Fade", "3", "7"}));
    EXPECT_EQ(StepCount(steps), 0);

    AppendDataStep(steps, {"255", "128"});
    AppendDelayStep(steps, 10);
    AppendDataStep(steps, {"0", "5", "surplus"});
    AppendDataStep(steps, {"9"});

    ASSERT_EQ(StepCount(steps), 4);
    EXPECT_EQ(row(steps, 1), QStringList({"0", "255", "128"}));
    EXPECT_EQ(row(steps, 2), QStringList({"1", "10", ""}));
    EXPECT_EQ(row(steps, 3), QStringList({"0", "0", "5"}));
    EXPECT_EQ(row(steps, 4), QStringList({"0", "9", ""}));
    EXPECT_TRUE(IsDataStep(steps, 1));
    EXPECT_FALSE(IsDataStep(steps, 2));
}

TEST(MacroSteps, DeletingAStepMovesTheLaterOnesUp) {
    struct Case {
        int deleted;
        QStringList firstValuesLeft;
    };
    const Case cases[] = {
        {1, {"2", "3", "4"}},      {2, {"1", "3", "4"}},      {4, {"1", "2", "3"}},
        {0, {"1", "2", "3", "4"}}, {5, {"1", "2", "3", "4"}},
    };
    for (const Case& c : cases) {
        TextTable steps = stepsOf("M", {{"1", "x"}, {"2"}, {"3", "y"}, {"4"}});
        DeleteStep(steps, c.deleted);
        QStringList left;
        for (int step = 1; step <= StepCount(steps); ++step)
            left << steps.cell(1, step);
        EXPECT_EQ(left, c.firstValuesLeft) << "deleting step " << c.deleted;
    }

    TextTable single = stepsOf("M", {{"5"}});
    DeleteStep(single, 1);
    EXPECT_EQ(StepCount(single), 0);
    EXPECT_EQ(row(single, 0), QStringList({"M", "3", "7"}));
}

TEST(MacroSteps, SavingReplacesByNameInEditModeAndAppendsANewMacro) {
    struct Case {
        const char* what;
        OpenMode mode;
        QString name;
        int stepCount;
        SaveOutcome outcome;
        QStringList namesAfter;
        int columnWithSteps; // -1: the store is unchanged
    };
    const Case cases[] = {
        {"new macro", OpenMode::New, "C", 2, SaveOutcome::Appended, {"A", "B", "C"}, 2},
        {"edited macro", OpenMode::Edit, "A", 1, SaveOutcome::Replaced, {"A", "B"}, 0},
        {"no step", OpenMode::New, "C", 0, SaveOutcome::NoSteps, {"A", "B"}, -1},
        {"edited macro gone", OpenMode::Edit, "Z", 2, SaveOutcome::MacroGone, {"A", "B"}, -1},
    };
    for (const Case& c : cases) {
        AdvancedStores stores;
        for (const char* stored : {"A", "B"})
            stores.macros.append({QString(stored), qint16(1), stepsOf(stored, {{"1", "1"}})});
        const TextTable before = *stores.macros.table(MacroFields::StepTable, 0);
        std::vector<QStringList> rows;
        for (int step = 0; step < c.stepCount; ++step)
            rows.push_back({"200", "100"});
        const TextTable steps = stepsOf(c.name, rows);

        EXPECT_EQ(StoreMacro(stores, steps, c.mode), c.outcome) << c.what;
        EXPECT_EQ(stores.macros.names(), c.namesAfter) << c.what;
        if (c.columnWithSteps < 0) {
            EXPECT_EQ(*stores.macros.table(MacroFields::StepTable, 0), before) << c.what;
            EXPECT_EQ(stores.macroStepTable, TextTable()) << c.what;
            continue;
        }
        EXPECT_EQ(*stores.macros.table(MacroFields::StepTable, c.columnWithSteps), steps) << c.what;
        EXPECT_EQ(stores.macros.text(MacroFields::MacroChannelCount, c.columnWithSteps), "2");
        EXPECT_EQ(stores.macroStepTable, steps) << c.what;
    }
}

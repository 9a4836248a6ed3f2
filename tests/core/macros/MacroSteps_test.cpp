#include "macros/MacroSteps.h"

#include <gtest/gtest.h>

using namespace macros;
using stores::TextTable;

namespace {

// A macro on channels 3 and 7; a step of one cell is a delay, of more cells a data step.
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

} // namespace

TEST(MacroSteps, DeletingAStepMovesTheLaterOnesUp) {
    const std::pair<int, QStringList> cases[] = {{1, {"2", "3", "4"}},
                                                 {2, {"1", "3", "4"}},
                                                 {4, {"1", "2", "3"}},
                                                 {5, {"1", "2", "3", "4"}}};
    for (const auto& [deleted, left] : cases) {
        TextTable steps = stepsOf("M", {{"1", "x"}, {"2"}, {"3", "y"}, {"4"}});
        DeleteStep(steps, deleted);
        QStringList firstCells;
        for (int step = 1; step <= StepCount(steps); ++step)
            firstCells << steps.cell(1, step);
        EXPECT_EQ(firstCells, left) << "deleting step " << deleted;
    }
}

TEST(MacroSteps, SavingReplacesByNameInEditModeAndAppendsANewMacro) {
    struct Case {
        OpenMode mode;
        QString name;
        int stepCount;
        SaveOutcome outcome;
        QStringList namesAfter;
        int columnWithSteps; // -1: nothing stored
    };
    const Case cases[] = {
        {OpenMode::New, "C", 2, SaveOutcome::Appended, {"A", "B", "C"}, 2},
        {OpenMode::Edit, "A", 1, SaveOutcome::Replaced, {"A", "B"}, 0},
        {OpenMode::New, "C", 0, SaveOutcome::NoSteps, {"A", "B"}, -1},
        {OpenMode::Edit, "Z", 2, SaveOutcome::MacroGone, {"A", "B"}, -1},
    };
    using stores::MacroFields::StepTable;
    for (const Case& c : cases) {
        stores::AdvancedStores stores;
        for (const char* stored : {"A", "B"})
            stores.macros.append({QString(stored), qint16(1), stepsOf(stored, {{"1", "1"}})});
        const TextTable before = *stores.macros.table(StepTable, 0);
        const TextTable steps =
            stepsOf(c.name, std::vector<QStringList>(c.stepCount, {"200", "9"}));

        EXPECT_EQ(StoreMacro(stores, steps, c.mode), c.outcome) << qPrintable(c.name);
        EXPECT_EQ(stores.macros.names(), c.namesAfter) << qPrintable(c.name);
        if (c.columnWithSteps < 0) {
            EXPECT_EQ(*stores.macros.table(StepTable, 0), before);
            EXPECT_EQ(stores.macroStepTable, TextTable());
            continue;
        }
        EXPECT_EQ(*stores.macros.table(StepTable, c.columnWithSteps), steps);
        EXPECT_EQ(stores.macros.text(stores::MacroFields::MacroChannelCount, c.columnWithSteps),
                  "2");
        EXPECT_EQ(stores.macroStepTable, steps);
    }
}

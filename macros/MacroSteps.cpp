#include "macros/MacroSteps.h"

#include <algorithm>

namespace macros {

using stores::AdvancedStores;
using stores::StoreValue;
using stores::TextTable;

TextTable NewStepTable(const QString& name, const QStringList& channelNumbers) {
    TextTable steps(static_cast<int>(channelNumbers.size()), 0);
    steps.setCell(0, 0, name);
    for (int channel = 1; channel <= channelNumbers.size(); ++channel)
        steps.setCell(channel, 0, channelNumbers[channel - 1]);
    return steps;
}

QString MacroNameOf(const TextTable& steps) {
    return steps.cell(0, 0);
}

int ChannelCountOf(const TextTable& steps) {
    return std::max(steps.fieldUpper(), 0);
}

int StepCount(const TextTable& steps) {
    return std::max(steps.rowUpper(), 0);
}

bool IsDataStep(const TextTable& steps, int step) {
    // Steps are made only here, with one of the two kinds.
    return steps.cell(0, step) == DataStepKind;
}

namespace {

int appendStepRow(TextTable& steps, const QString& kind) {
    const int step = StepCount(steps) + 1;
    steps.resize(steps.fieldUpper(), step);
    steps.setCell(0, step, kind);
    return step;
}

} // namespace

void AppendDataStep(TextTable& steps, const QStringList& values) {
    const int step = appendStepRow(steps, DataStepKind);
    const int channels = std::min(ChannelCountOf(steps), static_cast<int>(values.size()));
    for (int channel = 1; channel <= channels; ++channel)
        steps.setCell(channel, step, values[channel - 1]);
}

void AppendDelayStep(TextTable& steps, int tenths) {
    const int step = appendStepRow(steps, DelayStepKind);
    steps.setCell(1, step, QString::number(tenths));
}

void DeleteStep(TextTable& steps, int step) {
    const int last = StepCount(steps);
    if (step < 1 || step > last)
        return;
    for (int row = step; row < last; ++row) {
        for (int field = 0; field <= steps.fieldUpper(); ++field)
            steps.setCell(field, row, steps.cell(field, row + 1));
    }
    steps.resize(steps.fieldUpper(), last - 1);
}

SaveOutcome StoreMacro(AdvancedStores& advanced, const TextTable& steps, OpenMode mode) {
    if (StepCount(steps) < 1)
        return SaveOutcome::NoSteps;
    const QString name = MacroNameOf(steps);
    std::optional<int> column;
    if (mode == OpenMode::Edit) {
        // Appending here would leave a macro in the store that the macro list does not show.
        column = advanced.macros.findMacro(name);
        if (!column)
            return SaveOutcome::MacroGone;
    }

    advanced.macroStepTable = steps;
    std::vector<StoreValue> fields{name, static_cast<qint16>(ChannelCountOf(steps)), steps};
    if (!column) {
        advanced.macros.append(std::move(fields));
        return SaveOutcome::Appended;
    }
    for (int field = 0; field < static_cast<int>(fields.size()); ++field)
        advanced.macros.replace(*column, field, std::move(fields[field]));
    return SaveOutcome::Replaced;
}

QString NoStepsMessage(const QString& name) {
    return QStringLiteral("宏 ") + name +
           QStringLiteral(" 没有执行步骤的数据，请添加执行步及延时时间...");
}

QString MacroGoneMessage(const QString& name) {
    return QStringLiteral("宏 ") + name + QStringLiteral(" 已不在宏列表中，无法保存修改...");
}

} // namespace macros

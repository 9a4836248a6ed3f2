#include "macros/StepGrids.h"

#include "channels/ChannelTable.h"

#include <algorithm>
#include <cmath>

namespace macros {

using channels::ChannelRows;
using stores::TextTable;
using enum channels::ChannelColumn;

namespace {

QStringList padWithSurplus(QStringList headers, int leastColumns) {
    while (headers.size() < leastColumns)
        headers << SurplusColumnHeader;
    return headers;
}

QStringList channelHeaders(const TextTable& steps, const QString& prefix) {
    QStringList headers;
    for (int channel = 1; channel <= ChannelCountOf(steps); ++channel)
        headers << prefix + steps.cell(channel, 0);
    return headers;
}

} // namespace

QStringList StepGridHeaders(const TextTable& steps, OpenMode mode) {
    const QString prefix = mode == OpenMode::New ? QStringLiteral("Ch") : QStringLiteral("ch");
    QStringList headers{QStringLiteral("#"), QStringLiteral("类型"), QStringLiteral("时间")};
    return padWithSurplus(headers + channelHeaders(steps, prefix), StepGridLeastColumns);
}

QStringList ValueGridHeaders(const TextTable& steps) {
    return padWithSurplus(channelHeaders(steps, QStringLiteral("ch")), ValueGridLeastColumns);
}

QStringList StepGridRow(const TextTable& steps, int row) {
    const int channels = ChannelCountOf(steps);
    QStringList cells(FirstChannelColumn + channels);
    if (row < 1 || row > StepCount(steps))
        return cells;
    cells[StepNumberColumn] = QString::number(row);
    if (IsDataStep(steps, row)) {
        cells[StepKindColumn] = QStringLiteral("data");
        for (int channel = 1; channel <= channels; ++channel)
            cells[FirstChannelColumn + channel - 1] = steps.cell(channel, row);
    } else {
        cells[StepKindColumn] = QStringLiteral("delay");
        cells[DelayColumn] = steps.cell(1, row);
    }
    return cells;
}

int StepGridRowsFor(int rows, int steps) {
    return std::max(rows, steps + 1);
}

int StepGridRowsAfterDeleteClick(int rows, int stepsLeft) {
    const int lastStepRow = std::max(stepsLeft, 1);
    if (rows <= lastStepRow + 1)
        return rows;
    return std::max(lastStepRow + 1, StepGridLeastRows + 1);
}

std::optional<int> StepToDelete(int row, int steps) {
    if (steps < 1)
        return std::nullopt;
    return std::clamp(row, 1, steps);
}

QString DeleteStepQuestion(int step) {
    return QStringLiteral("删除第 ") + QString::number(step) + QStringLiteral(" 步的数据？");
}

QString ChannelLabel(const ChannelRows& rows, int channelCount, const QString& channelNumber) {
    QString name;
    const int searched = std::min(channelCount, static_cast<int>(rows.size()));
    for (int index = 0; index < searched; ++index) {
        if (rows[index][ChannelNumber] == channelNumber) {
            name = rows[index][ChannelName];
            break;
        }
    }
    return QStringLiteral("Ch") + channelNumber + QStringLiteral(" - ") + name;
}

LevelReadout ReadLevel(int level) {
    return {QStringLiteral("D: ") + QString::number(level),
            QStringLiteral("P: ") + QString::number(level * 100 / HighestLevel) +
                QStringLiteral("%"),
            QStringLiteral("H: ") + QString::number(level, 16).toUpper()};
}

DelayCheck CheckDelayTime(const QString& text) {
    const std::optional<double> number = channels::ParseNumber(text);
    if (!number)
        return {std::nullopt, QStringLiteral("请输入数字值...")};
    if (*number < LowestLevel || *number > HighestLevel)
        return {std::nullopt, QStringLiteral("请输入数字范围0-255...")};
    // The default rounding mode rounds halves to the even neighbour.
    return {static_cast<int>(std::nearbyint(*number)), QString()};
}

} // namespace macros

#pragma once

#include "channels/ChannelRow.h"
#include "macros/MacroSteps.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace macros {

// ---- The step grid and the value grid of the step editor ----

// Step grid columns; the channel columns follow the first three.
constexpr int StepNumberColumn = 0;
constexpr int StepKindColumn = 1;
constexpr int DelayColumn = 2;
constexpr int FirstChannelColumn = 3;

// Both grids keep at least the columns they were designed with; the columns left over after the
// channels are headed with a dash.
constexpr int StepGridLeastColumns = 8;
constexpr int ValueGridLeastColumns = 5;
constexpr int StepGridLeastRows = 7;
inline const QString SurplusColumnHeader = QStringLiteral("-");

// "#", "类型", "时间", then "Ch" (a new macro) or "ch" (an edited one) with each channel number,
// then dashes up to the least column count.
QStringList StepGridHeaders(const stores::TextTable& steps, OpenMode mode);

// "ch" with each channel number, then dashes up to the least column count.
QStringList ValueGridHeaders(const stores::TextTable& steps);

// The cells of step grid row `row` from the step number to the last channel column: the number,
// "data" or "delay", the delay time, the channel values. A row past the last step is all empty.
QStringList StepGridRow(const stores::TextTable& steps, int row);

// The step grid's row count once it shows `steps` steps: grown by the rows that are missing.
int StepGridRowsFor(int rows, int steps);

// The step grid's row count after a click in it found a step, whether or not one was deleted:
// surplus rows go, down to eight rows at least (a fresh grid thus grows to eight). With no step
// left the last step is still counted as row 1.
int StepGridRowsAfterDeleteClick(int rows, int stepsLeft);

// The step that a click on step grid row `row` offers to delete: a click on the header row means
// the first step, one below the steps the last step. Nothing while there is no step.
std::optional<int> StepToDelete(int row, int steps);

QString DeleteStepQuestion(int step);
inline const QString DiscardEditsQuestion = QStringLiteral("放弃所做的数据修改？");

// "Ch", the channel number, " - " and the name of the first of the channel grid's rows 1 to
// channelCount whose channel number cell reads the same; nothing after " - " when none does.
QString ChannelLabel(const channels::ChannelRows& rows, int channelCount,
                     const QString& channelNumber);

// ---- The level scroll bar and the delay box ----

constexpr int LowestLevel = 0;
constexpr int HighestLevel = 255;
// The time a delay step starts from, in tenths of a second.
constexpr int DefaultDelayTenths = 10;

struct LevelReadout {
    QString decimal; // "D: 128"
    QString percent; // "P: 50%"
    QString hex;     // "H: 80"
};

// The three captions that show a level of the scroll bar.
LevelReadout ReadLevel(int level);

struct DelayCheck {
    std::optional<int> tenths; // the time as a whole number when the text passes
    QString message;           // the refusal, when it does not
};

// A delay box text passes when it is a number from 0 to 255; fractions round to the nearest
// whole number, halves to the even neighbour.
DelayCheck CheckDelayTime(const QString& text);

} // namespace macros

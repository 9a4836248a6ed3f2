#pragma once

#include "stores/AdvancedStores.h"

#include <QString>
#include <QStringList>

namespace macros {

// How the step editor was opened: on a macro just named in the new-macro dialog, or on a
// stored macro chosen in the macro list.
enum class OpenMode { New, Edit };

// The steps being composed are kept in the very shape the macro store holds them in, so that
// saving is one copy: row 0 is the header (field 0 the macro's name, field i the number of the
// macro's i-th channel), and every later row is one step. A step's field 0 is its kind, "0" for
// data or "1" for delay; a data step holds one value 0 to 255 per channel in fields 1 and up, a
// delay step its time in tenths of a second in field 1 and nothing after it.

inline const QString DataStepKind = QStringLiteral("0");
inline const QString DelayStepKind = QStringLiteral("1");

// A macro without steps on the given channels (decimal channel numbers, in the macro's order).
stores::TextTable NewStepTable(const QString& name, const QStringList& channelNumbers);

QString MacroNameOf(const stores::TextTable& steps);
int ChannelCountOf(const stores::TextTable& steps);
int StepCount(const stores::TextTable& steps);

// A step whose kind reads as the number 0 is a data step; any other kind is a delay.
bool IsDataStep(const stores::TextTable& steps, int step);

// Adds a step after the last one. Values beyond the macro's channels are dropped, missing ones
// stay empty.
void AppendDataStep(stores::TextTable& steps, const QStringList& values);
void AppendDelayStep(stores::TextTable& steps, int tenths);

// Removes one step; the later steps move up by one. A step number outside 1..StepCount is ignored.
void DeleteStep(stores::TextTable& steps, int step);

enum class SaveOutcome {
    NoSteps,   // nothing was stored
    MacroGone, // an edited macro's name is no longer in the store: nothing was stored
    Replaced,  // the edited macro was overwritten in place; the macro list stays as it is
    Appended,  // a new macro was added at the end; its name belongs at the end of the macro list
};

// Stores a composed macro: an edited one over the stored macro of the same name, a new one at the
// end of the store. The work table takes a copy of the steps too, as the file writer does.
SaveOutcome StoreMacro(stores::AdvancedStores& advanced, const stores::TextTable& steps,
                       OpenMode mode);

// The messages of the two refusals, shown in an OK-only box.
QString NoStepsMessage(const QString& name);
QString MacroGoneMessage(const QString& name);

} // namespace macros

#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace macros {

enum class NewMacroField { Name, Channels };

struct NewMacroProblem {
    NewMacroField field; // the control that takes the focus after the message
    QString message;
    bool selectName = false; // the whole name gets selected as well
};

// Every refusal of Next, in the order they are shown: an empty name, a name the macro list
// already shows (exactly, case counts), no channel chosen. Empty when the macro may be composed.
std::vector<NewMacroProblem> CheckNewMacro(const QString& name, const QStringList& listedNames,
                                           int chosenChannels);

QString DeleteMacroQuestion(const QString& name);

} // namespace macros

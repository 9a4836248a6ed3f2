#pragma once

#include "channels/ChannelRow.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace macros {

// One item of the new-macro dialog's channel list.
struct ChannelChoice {
    QString text;         // channel number, " - ", channel name
    qint32 channelNumber; // kept as the item's number
};

// The channel grid's rows 1 to channelCount in grid order, which need not be the order of the
// channel numbers.
std::vector<ChannelChoice> ChannelChoices(const channels::ChannelRows& rows, int channelCount);

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

#include "macros/NewMacroChecks.h"

#include "channels/ChannelTable.h"

#include <algorithm>

namespace macros {

using channels::ChannelRow;
using channels::ChannelRows;
using enum channels::ChannelColumn;

std::vector<ChannelChoice> ChannelChoices(const ChannelRows& rows, int channelCount) {
    std::vector<ChannelChoice> choices;
    const int listed = std::clamp(channelCount, 0, static_cast<int>(rows.size()));
    for (int index = 0; index < listed; ++index) {
        const ChannelRow& row = rows[index];
        // The grid guarantees whole channel numbers by the time macros can be edited.
        const qlonglong number = channels::ParseWholeNumber(row[ChannelNumber]).value_or(0);
        choices.push_back({row[ChannelNumber] + QStringLiteral(" - ") + row[ChannelName],
                           static_cast<qint32>(number)});
    }
    return choices;
}

std::vector<NewMacroProblem> CheckNewMacro(const QString& name, const QStringList& listedNames,
                                           int chosenChannels) {
    std::vector<NewMacroProblem> problems;
    if (name.isEmpty())
        problems.push_back({NewMacroField::Name, QStringLiteral("请填写宏的名称")});
    if (listedNames.contains(name, Qt::CaseSensitive))
        problems.push_back({NewMacroField::Name,
                            name + QStringLiteral(" 宏名称重名，请重新输入新增宏的名称..."), true});
    if (chosenChannels < 1)
        problems.push_back({NewMacroField::Channels, QStringLiteral("请选择宏 ") + name +
                                                         QStringLiteral(" 所使用的DMX通道...")});
    return problems;
}

QString DeleteMacroQuestion(const QString& name) {
    return QStringLiteral("删除宏 ") + name + QStringLiteral(" ？");
}

} // namespace macros

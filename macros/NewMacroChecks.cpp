#include "macros/NewMacroChecks.h"

namespace macros {

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

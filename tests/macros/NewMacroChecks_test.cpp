#include "macros/NewMacroChecks.h"

#include <gtest/gtest.h>

using namespace macros;

TEST(NewMacroChecks, EveryFailingCheckIsReportedInOrder) {
    const QString channelsFor = "请选择宏 %1 所使用的DMX通道...";
    struct Case {
        QString name;
        int chosen;
        std::vector<NewMacroField> fields;
        QStringList messages;
    };
    const QStringList listed{"Chase", "Fade"};
    const Case cases[] = {
        {"",
         0,
         {NewMacroField::Name, NewMacroField::Channels},
         {"请填写宏的名称", "请选择宏  所使用的DMX通道..."}},
        {"Fade", 2, {NewMacroField::Name}, {"Fade 宏名称重名，请重新输入新增宏的名称..."}},
        {"Fade",
         0,
         {NewMacroField::Name, NewMacroField::Channels},
         {"Fade 宏名称重名，请重新输入新增宏的名称...", channelsFor.arg("Fade")}},
        {"Strobe", 0, {NewMacroField::Channels}, {channelsFor.arg("Strobe")}},
        {"fade", 1, {}, {}},
        {"Fade ", 1, {}, {}},
    };
    for (const Case& c : cases) {
        const auto problems = CheckNewMacro(c.name, listed, c.chosen);
        std::vector<NewMacroField> fields;
        QStringList messages;
        for (const NewMacroProblem& problem : problems) {
            fields.push_back(problem.field);
            messages << problem.message;
            EXPECT_EQ(problem.selectName, problem.message.contains("重名")) << qPrintable(c.name);
        }
        EXPECT_EQ(fields, c.fields) << qPrintable(c.name);
        EXPECT_EQ(messages, c.messages) << qPrintable(c.name);
    }
}

TEST(NewMacroChecks, ChannelChoicesFollowTheGridRowsUpToTheChannelCount) {
    ChannelRows rows(4);
    const char* cells[][2] = {{"1", "Pan"}, {"3", "Pan fine"}, {"2", "Tilt"}, {"4", "Dimmer"}};
    for (int i = 0; i < 4; ++i) {
        rows[i][ChannelNumber] = cells[i][0];
        rows[i][ChannelName] = cells[i][1];
    }
    const auto choices = ChannelChoices(rows, 3);
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[1].text, "3 - Pan fine");
    EXPECT_EQ(choices[1].channelNumber, 3);
    EXPECT_EQ(choices[2].channelNumber, 2);
    EXPECT_TRUE(ChannelChoices(rows, 0).empty());
    EXPECT_EQ(ChannelChoices(rows, 9).size(), 4u);
}

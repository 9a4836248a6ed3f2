#include "common/Module1.h"
#include "common/Public.h"
#include "shell/Start.h"
#include "tests/support/EditorTest.h"

#include <QDir>
#include <QTemporaryDir>

using platform::MsgButtons;
using platform::MsgResult;

namespace {

class Module1Test : public EditorTest {};

TEST_F(Module1Test, ConfirmExitWordingFollowsDataChangedAndCancelReturnsFalse) {
    desktop.answerMessage(MsgResult::Cancel);
    EXPECT_FALSE(common::ConfirmExit());
    common::Public().DataChanged = true;
    desktop.answerMessage(MsgResult::Cancel);
    EXPECT_FALSE(common::ConfirmExit());
    EXPECT_EQ(messageTexts(), (QStringList{"确定退出？", "数据已被改变，确定放弃并退出？"}));
    for (const platform::MessageRequest& m : desktop.messages) {
        EXPECT_EQ(m.buttons, MsgButtons::OkCancel);
        EXPECT_EQ(m.icon, platform::MsgIcon::None);
    }
    EXPECT_FALSE(desktop.ended);

    desktop.answerMessage(MsgResult::Ok);
    bool after = false;
    EXPECT_TRUE(endsProgram([&] {
        common::ConfirmExit();
        after = true;
    }));
    EXPECT_FALSE(after); // nothing after the end runs
}

TEST_F(Module1Test, IsAsciiTextAcceptsBlankToDelAndComplainsOnceOtherwise) {
    EXPECT_TRUE(common::IsAsciiText(""));
    EXPECT_TRUE(common::IsAsciiText(QString(" ~") + QChar(127)));
    EXPECT_TRUE(desktop.messages.empty());

    for (const QString& bad : {QString("a\tb"), QString("line\r\nbreak"), QString("灯厂"),
                               QString("ab") + QChar(0x00e9) + "cd" + QChar(0x4e2d)}) {
        desktop.messages.clear();
        EXPECT_FALSE(common::IsAsciiText(bad)) << bad.toStdString();
        EXPECT_EQ(messageTexts(), QStringList{"请使用ASCII字符输入"});
    }
}

TEST_F(Module1Test, IsQuoteFreeTextRefusesADoubleQuoteBesidesWhatIsNotAscii) {
    EXPECT_TRUE(common::IsQuoteFreeText("Open 'a' (1)"));
    const struct {
        QString text;
        QString message;
    } refused[] = {{"Op\"en", "不能使用双引号（\"）"}, {"灯", "请使用ASCII字符输入"}};
    for (const auto& bad : refused) {
        desktop.messages.clear();
        EXPECT_FALSE(common::IsQuoteFreeText(bad.text)) << bad.text.toStdString();
        EXPECT_EQ(messageTexts(), QStringList{bad.message});
    }
}

TEST_F(Module1Test, IsNameTextAllowsLettersDigitsUnderscoreHyphenAndBlank) {
    EXPECT_TRUE(common::IsNameText("Spot_575-II 2"));
    EXPECT_TRUE(desktop.messages.empty());
    for (const QString& bad : {QString("."), QString("A中"), QString("Wash/1"), QString("é")}) {
        desktop.messages.clear();
        EXPECT_FALSE(common::IsNameText(bad)) << bad.toStdString();
        EXPECT_EQ(messageTexts(), QStringList{"仅允许输入数字、英文字母及..."});
    }
}

TEST(SystemFolder, OnlyAnExistingSystem32UnderWindirCounts) {
    QTemporaryDir root;
    EXPECT_EQ(shell::systemFolderFrom(""), "");
    EXPECT_EQ(shell::systemFolderFrom(root.path()), "");
    ASSERT_TRUE(QDir(root.path()).mkdir("System32"));
    EXPECT_EQ(shell::systemFolderFrom(root.path()), root.path() + "/System32/");
}

} // namespace

#include "tests/support/EditorTest.h"

#include "basicinfo/Form1.h"
#include "common/Public.h"
#include "shell/Form0.h"

using basicinfo::Form1;
using platform::MsgResult;
using platform::TextBox;
using platform::window;

// The page's typing, pasting and navigation as the user meets them are played by the scenarios
// in tests/scenarios/basicinfo; these tests hold what a scenario cannot reach.

namespace {

class BasicInfoPage : public EditorTest {
protected:
    // New on the main menu, as the user starts a fixture.
    Form1& newFixture() {
        window<shell::Form0>().Show();
        window<shell::Form0>().Command11->userClick();
        return window<Form1>();
    }
    // Text that lands in a box whole, past the key path (a middle-button paste, an undo).
    static void landWhole(TextBox* box, const QString& text) { box->QLineEdit::setText(text); }
};

TEST_F(BasicInfoPage, TextLandingWholeIsHeldToWhatTypingCouldHaveProduced) {
    Form1& page = newFixture();

    // Number boxes keep their digits only, up to their length, and the rules see only those.
    landWhole(page.Text5, QStringLiteral("2b0"));
    EXPECT_EQ(page.Text5->Text(), "20");
    EXPECT_EQ(common::Public().ChannelCount, 20);
    EXPECT_EQ(page.Text7->Text(), "493");
    landWhole(page.Text10, QStringLiteral("12345"));
    EXPECT_EQ(page.Text10->Text(), "123");
    landWhole(page.Text8, QStringLiteral("x"));
    EXPECT_EQ(page.Text8->Text(), "");
    EXPECT_TRUE(messageTexts().isEmpty());

    // A failing character costs every character after it, one message each, caret at the end.
    for (int i = 0; i < 3; ++i) {
        desktop.answerMessage(MsgResult::Ok);
    }
    landWhole(page.Text3, QStringLiteral("a中bc"));
    EXPECT_EQ(page.Text3->Text(), "a");
    EXPECT_EQ(page.Text3->SelStart(), 1);
    EXPECT_EQ(messageTexts(), QStringList(3, QStringLiteral("请使用ASCII字符输入")));

    // Names longer than their box are cut to it first: a long foreign text costs at most one
    // message per character the box can hold, instead of nesting the removal until the stack
    // gives out.
    for (int i = 0; i < 100; ++i) {
        desktop.answerMessage(MsgResult::Ok);
    }
    landWhole(page.Text3, QString(30000, u'灯'));
    EXPECT_EQ(page.Text3->Text(), "");
    EXPECT_EQ(desktop.messages.size(), 103u);
    landWhole(page.Text4, QString(3000, u'a'));
    EXPECT_EQ(page.Text4->Text(), QString(11, u'a'));
    EXPECT_TRUE(desktop.problems.empty());
}

} // namespace

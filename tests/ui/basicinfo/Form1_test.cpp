#include "tests/support/EditorTest.h"

#include "basicinfo/Form1.h"
#include "common/Public.h"

using platform::MsgResult;

// Text that lands in a box whole, past the key path (a middle-button paste, an undo), which no
// scenario can bring about, is held to what typing could have produced.
TEST_F(EditorTest, BasicInfoTextLandingWholeIsHeldToWhatTypingCouldHaveProduced) {
    basicinfo::Form1& page = platform::window<basicinfo::Form1>();
    page.Show();
    const auto landWhole = [](platform::TextBox* box, const QString& text) {
        box->QLineEdit::setText(text);
    };
    // Number boxes keep their digits only, up to their length, and the rules see only those.
    landWhole(page.Text5, "2b0");
    EXPECT_EQ(page.Text5->Text(), "20");
    EXPECT_EQ(common::Public().ChannelCount, 20);
    EXPECT_EQ(page.Text7->Text(), "493");
    landWhole(page.Text10, "12345");
    EXPECT_EQ(page.Text10->Text(), "123");
    EXPECT_TRUE(messageTexts().isEmpty());

    // A failing character (a control character, one beyond DEL) costs every character after
    // it, one message each. Names longer than their box are cut to it first, so a long foreign
    // text costs at most one message per character the box can hold instead of nesting the
    // removal until the stack gives out.
    for (int i = 0; i < 102; ++i) {
        desktop.answerMessage(MsgResult::Ok);
    }
    landWhole(page.Text3, "a\x7f\t中");
    EXPECT_EQ(page.Text3->Text(), "a\x7f");
    EXPECT_EQ(messageTexts(), QStringList(2, "请使用ASCII字符输入"));
    landWhole(page.Text3, QString(30000, u'灯'));
    EXPECT_EQ(page.Text3->Text(), "");
    EXPECT_EQ(desktop.messages.size(), 102u);
    landWhole(page.Text4, QString(3000, u'a'));
    EXPECT_EQ(page.Text4->Text(), QString(11, u'a'));
}

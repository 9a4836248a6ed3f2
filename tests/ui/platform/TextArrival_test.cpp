#include "tests/support/EditorTest.h"

#include "common/Module1.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

using namespace platform;

// How text reaches a box: whole characters only, and text that comes at once (from an input
// method here; pastes and drops in the scenarios) as one insertion after the key-press rule.

namespace {

class Sheet : public Form {
public:
    static constexpr const char* Name = "Sheet";
    Sheet() : Form(QString::fromLatin1(Name)) {
        Text1 = new TextBox(this, "Text1");
        Text1->Move(0, 0, 3000, 315);
        Text1->Change = [this] { changes << Text1->Text(); };
    }
    TextBox* Text1;
    QStringList changes;
};

class TextArrivalTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Sheet>();
    }
};

const QString Emoji = QString::fromUtf8("😀");

} // namespace

TEST_F(TextArrivalTest, InputMethodTextPassesTheKeyRuleThenLandsAsOneChange) {
    struct Case {
        int maxLength;
        bool digitsOnly;
        QString before;
        QString committed;
        QString after;
    };
    const QString loneHalf(QChar(0xD83D));
    const Case cases[] = {
        {0, true, "", "1a2" + Emoji + "3\t", "123"},
        {0, false, "x", "灯" + Emoji, "x灯" + Emoji},
        {0, false, "", "a" + loneHalf + "b", "ab"},
        // An emoji that would cross the limit stays out whole, and so does what follows it.
        {3, false, "ab", Emoji + "c", "ab"},
        {4, false, "ab", Emoji + "c", "ab" + Emoji},
        {0, true, "12", "abc", "12"},
    };
    Sheet& sheet = window<Sheet>();
    sheet.Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.committed.toStdString());
        sheet.Text1->setMaxLength(c.maxLength);
        sheet.Text1->KeyPress = nullptr;
        if (c.digitsOnly) {
            sheet.Text1->KeyPress = common::DigitKeysOnly;
        }
        sheet.Text1->setText(c.before);
        sheet.Text1->setSelStart(static_cast<int>(c.before.size()));
        sheet.changes.clear();
        QInputMethodEvent event;
        event.setCommitString(c.committed);
        QApplication::sendEvent(sheet.Text1, &event);
        EXPECT_EQ(sheet.Text1->Text(), c.after);
        const QStringList oneChange{c.after};
        EXPECT_EQ(sheet.changes, c.after == c.before ? QStringList() : oneChange);
    }
}

TEST_F(TextArrivalTest, AKeyCarryingAnEmojiGivesTheKeyRuleOneWholeCharacter) {
    Sheet& sheet = window<Sheet>();
    sheet.Show();
    std::vector<int> codes;
    sheet.Text1->KeyPress = [&codes](int& keyAscii) { codes.push_back(keyAscii); };
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, Emoji);
    QApplication::sendEvent(sheet.Text1, &press);
    EXPECT_EQ(codes, std::vector<int>{0x1F600});
    EXPECT_EQ(sheet.Text1->Text(), Emoji);
}

// The removal runs to the end at once, yet says what removing one character at a time says:
// one message for each character removed, from the first rule the rest still breaks.
TEST_F(TextArrivalTest, ARefusedTextLosesItsLastCharactersWithOneMessageEach) {
    struct Case {
        common::TextCheck check;
        QString landed;
        QString kept;
        QStringList messages;
    };
    const QString ascii = "请使用ASCII字符输入";
    const QString quote = "不能使用双引号（\"）";
    const QString name = "仅允许输入数字、英文字母及...";
    const Case cases[] = {
        {common::TextCheck::QuoteFreeText, "ab\"中x", "ab", {ascii, ascii, quote}},
        {common::TextCheck::QuoteFreeText, "a" + Emoji, "a", {ascii}},
        {common::TextCheck::AsciiText, "a\"b", "a\"b", {}},
        {common::TextCheck::NameText, "Spot.A b", "Spot", {name, name, name, name}},
    };
    Sheet& sheet = window<Sheet>();
    sheet.Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.landed.toStdString());
        sheet.Text1->setText(QString());
        sheet.Text1->Change = [&sheet, check = c.check] {
            common::DropRefusedLastCharacter(sheet.Text1, check);
        };
        desktop.messages.clear();
        for (qsizetype i = 0; i < c.messages.size(); ++i) {
            desktop.answerMessage(MsgResult::Ok);
        }
        sheet.Text1->setText(c.landed);
        EXPECT_EQ(sheet.Text1->Text(), c.kept);
        EXPECT_EQ(sheet.Text1->SelStart(), c.kept.size());
        EXPECT_EQ(messageTexts(), c.messages);
    }
}

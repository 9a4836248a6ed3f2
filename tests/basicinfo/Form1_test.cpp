#include "tests/support/EditorTest.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "shell/Form0.h"
#include "shell/Public.h"

using basicinfo::Form1;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::TextBox;
using platform::window;

namespace {

class BasicInfoPage : public EditorTest {
protected:
    // New on the main menu, as the user starts a fixture.
    Form1& newFixture() {
        window<shell::Form0>().Show();
        window<shell::Form0>().Command11->userClick();
        return window<Form1>();
    }
    // Focus by the user's click, then the text key by key.
    static void type(TextBox* box, const QString& text) {
        box->userFocus();
        for (const QChar ch : text) {
            box->userKeyPress(ch.unicode());
        }
    }
    static void retype(TextBox* box, const QString& text) {
        box->userFocus();
        box->setSelStart(0);
        box->setSelLength(static_cast<int>(box->Text().size()));
        for (const QChar ch : text) {
            box->userKeyPress(ch.unicode());
        }
    }
    void fillRequired(Form1& page, const QString& count = QStringLiteral("12")) {
        type(page.Text3, "Maker");
        type(page.Text4, "Spot-1");
        type(page.Text5, count);
    }
    shell::PublicState& pub() { return shell::Public(); }
};

TEST_F(BasicInfoPage, NewFixtureOpensTheEmptyPageWithItsDefaults) {
    Form1& page = newFixture();
    EXPECT_FALSE(platform::isLoaded<shell::Form0>());
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.ActiveControl(), page.Text3);
    EXPECT_EQ(page.Label2->Caption(), "正在编辑：新建K36文件...");
    EXPECT_EQ(page.Combo1->ListIndex(), 1);
    EXPECT_TRUE(page.Option2[1]->Value());
    EXPECT_TRUE(page.Option1[0]->Value());
    EXPECT_EQ(page.Frame2->Height(), 3015);
    EXPECT_FALSE(pub().DataChanged);
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BasicInfoPage, ChannelCountWritesTheAutomaticAddressLimits) {
    Form1& page = newFixture();
    type(page.Text5, "1");
    EXPECT_EQ(pub().ChannelCount, 1);
    EXPECT_EQ(page.MaxStartAddress, 512);
    EXPECT_EQ(page.Text6->Text(), "1");
    EXPECT_EQ(page.Text7->Text(), "512");
    EXPECT_EQ(page.Text8->Text(), "1");

    page.Text5->userKeyPress('2');
    EXPECT_EQ(pub().ChannelCount, 12);
    EXPECT_EQ(page.MaxStartAddress, 501);
    EXPECT_EQ(page.Text7->Text(), "501");
    EXPECT_TRUE(pub().DataChanged);

    // A valid count overwrites limits changed by hand.
    retype(page.Text7, "300");
    retype(page.Text5, "512");
    EXPECT_EQ(page.MaxStartAddress, 1);
    EXPECT_EQ(page.Text6->Text(), "1");
    EXPECT_EQ(page.Text7->Text(), "1");
    EXPECT_EQ(page.Text8->Text(), "1");

    // Deleting the whole count empties the limits without a word.
    page.Text5->userFocus();
    page.Text5->setSelStart(3);
    for (int i = 0; i < 3; ++i) {
        page.Text5->userKeyPress(8);
    }
    EXPECT_EQ(pub().ChannelCount, 0);
    EXPECT_EQ(page.MaxStartAddress, 0);
    EXPECT_EQ(page.Text6->Text() + page.Text7->Text() + page.Text8->Text(), "");
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BasicInfoPage, CountAbove512IsRefusedKeepingTheLastValidCountAndTheFocus) {
    Form1& page = newFixture();
    type(page.Text5, "60");
    desktop.answerMessage(MsgResult::Ok);
    page.Text5->userKeyPress('0');
    EXPECT_EQ(messageTexts(), QStringList{"请输入正确的数字范围(1-512)..."});
    EXPECT_EQ(page.Text5->Text(), "600");
    EXPECT_EQ(page.Text5->SelStart(), 0);
    EXPECT_EQ(page.Text5->SelLength(), 3);
    EXPECT_EQ(page.Text6->Text() + page.Text7->Text() + page.Text8->Text(), "");
    EXPECT_EQ(pub().ChannelCount, 60);
    EXPECT_EQ(page.MaxStartAddress, 453);

    // Leaving the box is refused silently.
    page.Text4->userFocus();
    EXPECT_EQ(page.ActiveControl(), page.Text5);
    EXPECT_EQ(page.Text5->SelLength(), 3);
    EXPECT_EQ(desktop.messages.size(), 1u);
}

TEST_F(BasicInfoPage, LeadingZeroEmptiesAddressBoxesButNotPanAndTilt) {
    Form1& page = newFixture();
    type(page.Text5, "12");
    page.Text5->setSelStart(0);
    page.Text5->userKeyPress('0');
    EXPECT_EQ(page.Text5->Text(), "");
    EXPECT_EQ(page.Text7->Text(), "");
    EXPECT_EQ(pub().ChannelCount, 0);

    type(page.Text5, "12");
    retype(page.Text8, "0");
    EXPECT_EQ(page.Text8->Text(), "");

    type(page.Text9, "05");
    type(page.Text10, "540");
    EXPECT_EQ(page.Text9->Text(), "05");
    EXPECT_EQ(page.Text10->Text(), "540");
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BasicInfoPage, MaxAddressOutOfRangeOffersTheCorrection) {
    Form1& page = newFixture();
    type(page.Text5, "12");
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    retype(page.Text7, "502");
    EXPECT_EQ(messageTexts(),
              (QStringList{"请输入正确的数字范围(1-501)...", "是否允许自动纠正输入错误？"}));
    EXPECT_EQ(desktop.messages[0].buttons, MsgButtons::OkOnly);
    EXPECT_EQ(desktop.messages[1].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(page.Text7->Text(), "501");

    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Cancel);
    retype(page.Text7, "502");
    EXPECT_EQ(page.Text7->Text(), "502");
    EXPECT_EQ(page.ActiveControl(), page.Text7);
    page.Text8->userFocus();
    EXPECT_EQ(page.ActiveControl(), page.Text7);
    EXPECT_EQ(page.Text7->SelLength(), 3);
}

TEST_F(BasicInfoPage, WithoutACountEveryAddressIsRefusedAgainstZero) {
    Form1& page = newFixture();
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    type(page.Text7, "5");
    EXPECT_EQ(messageTexts().first(), "请输入正确的数字范围(1-0)...");
    EXPECT_EQ(page.Text7->Text(), ""); // the correction's "0" falls to the leading-zero rule

    desktop.answerMessage(MsgResult::Ok);
    type(page.Text6, "3");
    EXPECT_EQ(messageTexts().last(), "请输入正确的数字范围(1-0)...");
    EXPECT_EQ(page.Text6->Text(), "3");
    EXPECT_EQ(page.ActiveControl(), page.Text6);
}

TEST_F(BasicInfoPage, MinAddressAndDivisorOutOfRangeKeepTheirTextSelectedAndTheFocus) {
    Form1& page = newFixture();
    type(page.Text5, "12");
    pub().DataChanged = false;
    desktop.answerMessage(MsgResult::Ok);
    retype(page.Text6, "502");
    EXPECT_EQ(messageTexts(), QStringList{"请输入正确的数字范围(1-501)..."});
    EXPECT_EQ(page.Text6->Text(), "502");
    EXPECT_EQ(page.Text6->SelLength(), 3);
    EXPECT_EQ(page.ActiveControl(), page.Text6);
    page.Text8->userFocus();
    EXPECT_EQ(page.ActiveControl(), page.Text6);

    retype(page.Text6, "7");
    page.Text8->userFocus();
    EXPECT_EQ(page.ActiveControl(), page.Text8);
    EXPECT_TRUE(pub().DataChanged);
}

TEST_F(BasicInfoPage, MakerNameLosesEveryCharacterFromTheFirstNonAsciiOne) {
    Form1& page = newFixture();
    type(page.Text3, "ab");
    desktop.answerMessage(MsgResult::Ok);
    page.Text3->insertFiltered(QStringLiteral("中"));
    EXPECT_EQ(page.Text3->Text(), "ab");
    EXPECT_EQ(messageTexts(), QStringList{"请使用ASCII字符输入"});

    // Text that arrives whole costs every character after the bad one, one message each.
    for (int i = 0; i < 3; ++i) {
        desktop.answerMessage(MsgResult::Ok);
    }
    page.Text3->setText(QStringLiteral("a中bc"));
    EXPECT_EQ(page.Text3->Text(), "a");
    EXPECT_EQ(page.Text3->SelStart(), 1);
    EXPECT_EQ(desktop.messages.size(), 4u);

    retype(page.Text3, QString(101, u'x'));
    EXPECT_EQ(page.Text3->Text().size(), 100);
    EXPECT_TRUE(desktop.problems.empty());
}

TEST_F(BasicInfoPage, DeviceNameTakesOnlyNameCharacters) {
    Form1& page = newFixture();
    type(page.Text4, "A_b-1 2");
    EXPECT_EQ(page.Text4->Text(), "A_b-1 2");
    desktop.answerMessage(MsgResult::Ok);
    page.Text4->userKeyPress('.');
    EXPECT_EQ(page.Text4->Text(), "A_b-1 2");
    EXPECT_EQ(messageTexts(), QStringList{"仅允许输入数字、英文字母及..."});
    retype(page.Text4, "123456789012");
    EXPECT_EQ(page.Text4->Text(), "12345678901");
}

TEST_F(BasicInfoPage, NumberBoxesNeverHoldWhatTheKeyFilterRefuses) {
    Form1& page = newFixture();
    type(page.Text5, "1a2");
    EXPECT_EQ(page.Text5->Text(), "12");
    page.Text5->userKeyPress(22); // Ctrl+V is a refused key as well
    EXPECT_EQ(page.Text5->Text(), "12");

    page.Text9->userFocus();
    page.Text9->insertFiltered(QStringLiteral("3x九"));
    EXPECT_EQ(page.Text9->Text(), "3");

    // Text that reaches the box past every filter (a middle-button paste, say) is cut back to
    // the digits, and the count rule sees only them.
    page.Text5->QLineEdit::setText(QStringLiteral("2b0"));
    EXPECT_EQ(page.Text5->Text(), "20");
    EXPECT_EQ(pub().ChannelCount, 20);
    EXPECT_EQ(page.Text7->Text(), "493");
    page.Text10->QLineEdit::setText(QStringLiteral("12345"));
    EXPECT_EQ(page.Text10->Text(), "123");
    page.Text8->QLineEdit::setText(QStringLiteral("x"));
    EXPECT_EQ(page.Text8->Text(), "");
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(BasicInfoPage, ConventionalFixtureHidesTheMovingLightFieldsKeepingThem) {
    Form1& page = newFixture();
    type(page.Text9, "540");
    page.Combo1->userPick(0);
    page.Option2[0]->userClick();
    for (QWidget* w : std::initializer_list<QWidget*>{page.Combo1, page.Text9, page.Text10,
                                                      page.Label10, page.Label11, page.Label12}) {
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    }
    EXPECT_EQ(page.Frame2->Height(), 855);

    page.Option2[1]->userClick();
    EXPECT_FALSE(page.Text9->isHidden());
    EXPECT_FALSE(page.Label12->isHidden());
    EXPECT_EQ(page.Frame2->Height(), 2895);
    EXPECT_EQ(page.Text9->Text(), "540");
    EXPECT_EQ(page.Combo1->ListIndex(), 0);
}

TEST_F(BasicInfoPage, ColourMixClickMarksTheChangeAndTheMovingLightTypeMarksNothing) {
    Form1& page = newFixture();
    page.Combo1->userPick(0);
    EXPECT_FALSE(pub().DataChanged);
    EXPECT_FALSE(page.ColorMixChanged);
    page.Option1[1]->userClick();
    EXPECT_TRUE(pub().DataChanged);
    EXPECT_TRUE(page.ColorMixChanged);
}

TEST_F(BasicInfoPage, NextWithEverythingEmptyWarnsTwiceAndStays) {
    Form1& page = newFixture();
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_EQ(messageTexts(), (QStringList{"请填写灯厂名称...", "检查填写全部空白项目..."}));
    EXPECT_EQ(page.ActiveControl(), page.Text4);
    EXPECT_TRUE(page.isVisible());
    EXPECT_FALSE(platform::isLoaded<channels::Form2>());
}

TEST_F(BasicInfoPage, NextWithoutMakerWarnsAndMovesOnFillingPanAndTilt) {
    Form1& page = newFixture();
    type(page.Text4, "Spot");
    type(page.Text5, "12");
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_EQ(messageTexts(), QStringList{"请填写灯厂名称..."});
    EXPECT_FALSE(page.isVisible());
    EXPECT_TRUE(window<channels::Form2>().isVisible());
    EXPECT_EQ(page.Text9->Text(), "0");
    EXPECT_EQ(page.Text10->Text(), "0");
    EXPECT_FALSE(pub().SkipColorMixCheck);
}

TEST_F(BasicInfoPage, NextForAConventionalFixtureLeavesPanAndTiltEmpty) {
    Form1& page = newFixture();
    fillRequired(page);
    page.Option2[0]->userClick();
    page.Command3->userClick();
    EXPECT_TRUE(window<channels::Form2>().isVisible());
    EXPECT_EQ(page.Text9->Text() + page.Text10->Text(), "");
}

TEST_F(BasicInfoPage, NextRefusesANumberLeftOutOfRangeByTheClickOnIt) {
    Form1& page = newFixture();
    fillRequired(page);
    desktop.answerMessage(MsgResult::Ok);
    retype(page.Text8, "600");
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_EQ(messageTexts(),
              (QStringList{"请输入正确的数字范围(1-501)...", "请输入正确的数字范围(1-501)..."}));
    EXPECT_EQ(page.ActiveControl(), page.Text8);
    EXPECT_EQ(page.Text8->SelLength(), 3);
    EXPECT_TRUE(page.isVisible());
    EXPECT_TRUE(pub().SkipColorMixCheck);

    // The maximum address gets its correction question again; ">>" stays even when it is taken.
    retype(page.Text8, "2");
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Cancel);
    retype(page.Text7, "777");
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_EQ(messageTexts().mid(2),
              (QStringList{"请输入正确的数字范围(1-501)...", "是否允许自动纠正输入错误？",
                           "请输入正确的数字范围(1-501)...", "是否允许自动纠正输入错误？"}));
    EXPECT_EQ(page.Text7->Text(), "501");
    EXPECT_TRUE(page.isVisible());

    // And a refused channel count.
    desktop.answerMessage(MsgResult::Ok);
    retype(page.Text5, "999");
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_EQ(messageTexts().last(), "请输入正确的数字范围(1-512)...");
    EXPECT_EQ(page.ActiveControl(), page.Text5);
    EXPECT_TRUE(page.isVisible());
    EXPECT_TRUE(desktop.problems.empty());
}

TEST(ColorChannelList, NamesOnlyRowsWithAColourMixLetter) {
    ChannelRows rows(8);
    const char* letters[] = {"A", "T", "U", "V", "t", "BC", "", "D"};
    for (int i = 0; i < 8; ++i) {
        rows[i][ChannelNumber] = QString::number(i + 1);
        rows[i][AttributeTypeLetter] = QString::fromLatin1(letters[i]);
    }
    rows[7][ChannelNumber] = "12"; // named by its number cell, not by its position
    EXPECT_EQ(basicinfo::ColorChannelList(rows), "CH2, CH3, CH4, CH12");
    EXPECT_EQ(basicinfo::ColorChannelList(ChannelRows(3)), "");
    EXPECT_EQ(basicinfo::ColorMixWarningText("CH5, CH6, CH7"),
              "彩色混合模式已被改变！\r\n\r\n请重新设置 CH5, CH6, CH7 通道...");
}

TEST_F(BasicInfoPage, ColourMixChangeAfterTheFirstPassWarnsAboutTheColourChannels) {
    Form1& page = newFixture();
    fillRequired(page, "6");
    page.Option1[2]->userClick();
    page.Command3->userClick(); // the first pass after the main menu never warns
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(page.ColorMixChanged);
    EXPECT_FALSE(pub().SkipColorMixCheck);

    channels::Form2& channelsPage = window<channels::Form2>();
    const char* letters[] = {"B", "C", "D"};
    for (int row = 3; row <= 5; ++row) {
        channelsPage.MSFlexGrid1->setTextMatrix(row, AttributeTypeLetter,
                                                QString::fromLatin1(letters[row - 3]));
    }
    channelsPage.Command1->userClick();
    ASSERT_TRUE(page.isVisible());

    // A refused ">>" keeps the change for the next one.
    page.Option1[1]->userClick();
    page.Text4->setText(QString());
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    EXPECT_TRUE(page.ColorMixChanged);

    type(page.Text4, "Spot");
    desktop.answerMessage(MsgResult::Ok);
    page.Command3->userClick();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text,
              "彩色混合模式已被改变！\r\n\r\n请重新设置 CH3, CH4, CH5 通道...");
    EXPECT_EQ(desktop.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(channelsPage.isVisible());
    EXPECT_FALSE(page.ColorMixChanged);

    // Without colour rows the change passes silently.
    for (int row = 3; row <= 5; ++row) {
        channelsPage.MSFlexGrid1->setTextMatrix(row, AttributeTypeLetter, QString());
    }
    channelsPage.Command1->userClick();
    page.Option1[0]->userClick();
    page.Command3->userClick();
    EXPECT_EQ(desktop.messages.size(), 2u);
    EXPECT_FALSE(page.ColorMixChanged);
}

TEST_F(BasicInfoPage, MirrorChosenByTheUserSurvivesTheChannelPage) {
    Form1& page = newFixture();
    fillRequired(page);
    page.Combo1->userPick(0);
    page.Command3->userClick();
    window<channels::Form2>().Command1->userClick();
    EXPECT_TRUE(page.isVisible());
    EXPECT_EQ(page.Combo1->ListIndex(), 0);
    EXPECT_EQ(page.ActiveControl(), page.Text3);
}

TEST_F(BasicInfoPage, BackAskedAndConfirmedReturnsToAnEmptyMainMenu) {
    Form1& page = newFixture();
    fillRequired(page);
    pub().Stores.macros.append({QStringLiteral("M1"), qint16(1)});

    desktop.answerMessage(MsgResult::Cancel);
    page.Command2->userClick();
    EXPECT_EQ(messageTexts(), QStringList{"放弃全部编辑的数据？"});
    EXPECT_EQ(desktop.messages[0].buttons, MsgButtons::OkCancel);
    EXPECT_EQ(page.Text4->Text(), "Spot-1");
    EXPECT_TRUE(page.isVisible());

    desktop.answerMessage(MsgResult::Ok);
    page.Command2->userClick();
    EXPECT_FALSE(platform::isLoaded<Form1>());
    EXPECT_EQ(platform::windows().active(), &window<shell::Form0>());
    EXPECT_EQ(pub().Stores.macros.count(), 0);
    EXPECT_FALSE(pub().DataChanged);
    EXPECT_EQ(pub().ChannelCount, 0);
    settle();

    window<shell::Form0>().Command11->userClick();
    Form1& fresh = window<Form1>();
    EXPECT_EQ(fresh.Text3->Text(), "");
    EXPECT_EQ(fresh.Combo1->ListIndex(), 1);
    EXPECT_TRUE(fresh.Option2[1]->Value());
    EXPECT_TRUE(fresh.Option1[0]->Value());
    EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(BasicInfoPage, CloseBoxAsksBeforeTheProgramEnds) {
    Form1& page = newFixture();
    desktop.answerMessage(MsgResult::Cancel);
    page.userClose();
    EXPECT_EQ(messageTexts(), QStringList{"确定退出？"});
    EXPECT_TRUE(page.isVisible());

    type(page.Text4, "X");
    desktop.answerMessage(MsgResult::Ok);
    EXPECT_TRUE(endsProgram([&page] { page.userClose(); }));
    EXPECT_EQ(messageTexts().last(), "数据已被改变，确定放弃并退出？");
}

} // namespace

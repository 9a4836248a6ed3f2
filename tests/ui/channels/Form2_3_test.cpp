#include "channels/ChannelSettings.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "shell/ResetAllData.h"
#include "tests/support/ChannelTestRows.h"
#include "tests/support/EditorTest.h"

#include <QCoreApplication>
#include <QKeyEvent>

using namespace channels;
using enum channels::ChannelColumn;

using namespace platform;
using channels::Form2;
using channels::Form2_2;
using channels::Form2_3;

namespace {

ChannelRow Pan(int number, const QString& typeName = "LTP", const QString& typeLetter = "L") {
    return MakeChannel(number, "Pan", "03", "Right", typeName, "Pan", typeLetter, "E");
}

ChannelRow Dimmer(int number, const QString& typeName = "HTP") {
    ChannelRow row = MakeChannel(number, "Dimmer", "01", "Left", typeName, "Dimmer", "H", "H");
    row[LocateLevel] = "255";
    row[HighLevel] = "255";
    row[LowLevel] = "0";
    return row;
}

ChannelRow Typed(int number, const QString& name, const QString& typeName,
                 const QString& typeLetter, const QString& attributeLetter) {
    return MakeChannel(number, name, "06", "Left", typeName, "x", typeLetter, attributeLetter);
}

class ChannelDialogTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        common::Public().WindowTitle = "TAVO_K36_Editor V1.0.0";
        common::Public().EditingFileLabel = "新建K36文件...";
        common::Public().ChannelCount = 6;
        page().Show();
    }
    void TearDown() override {
        // Every answer queued was taken: no question that a test expects went missing.
        EXPECT_TRUE(desktop.messageAnswers.empty());
        EditorTest::TearDown();
    }
    static Form2& page() { return window<Form2>(); }
    static void setRows(const ChannelRows& rows) { page().writeRowsToGrid(rows); }
    static ChannelRows rows() { return page().rowsFromGrid(); }
    // The user clicks a row of the channel page.
    static Form2_3& open(int row) {
        page().MSFlexGrid1->userClickCell(row, 1);
        return window<Form2_3>();
    }
    // Real key presses into the box that has the focus.
    static void type(TextBox* box, const QString& text) {
        box->userFocus();
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(box, &press);
        }
    }
    // Selects the whole text and types over it.
    static void retype(TextBox* box, const QString& text) {
        box->userFocus();
        box->selectAll();
        type(box, text);
    }
    static void erase(TextBox* box) {
        box->userFocus();
        box->selectAll();
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &backspace);
    }
    static void pickType(Form2_3& dialog, const QString& letter) {
        dialog.Combo4->userPick(AttributeTypeIndexOf(letter));
    }
    static QStringList levels(const Form2_3& dialog) {
        return {dialog.Text4->Text(), dialog.Text5->Text(), dialog.Text6->Text()};
    }
    // Picks the standard name at position index (-1: none) in the picker and presses OK.
    void pickStandardName(Form2_3& dialog, int index) {
        desktop.modalDriver = [index](const std::function<bool()>&) {
            Form2_2& picker = window<Form2_2>();
            if (index >= 0) {
                picker.List1->userPick(index);
            }
            picker.Command1->userClick();
        };
        dialog.Command4->userClick();
        desktop.modalDriver = nullptr;
    }
};

TEST_F(ChannelDialogTest, EmptyRowOpensWithDefaultsAndCancelsWithoutAQuestion) {
    Form2_3& dialog = open(4);
    EXPECT_TRUE(dialog.Visible());
    EXPECT_EQ(windows().active(), &dialog);
    EXPECT_EQ(dialog.Caption(), "TAVO_K36_Editor V1.0.0");
    EXPECT_EQ(dialog.Label16->Caption(), "#4 通道设置");
    EXPECT_EQ(dialog.Label1->Caption(), "正在编辑：新建K36文件...");
    EXPECT_EQ(dialog.fields(), ChannelFields{});
    EXPECT_FALSE(dialog.Command1->Enabled());
    EXPECT_FALSE(dialog.Command3->Enabled());
    EXPECT_EQ(dialog.Tag, "0");
    EXPECT_TRUE(dialog.Combo2->Visible());
    EXPECT_FALSE(dialog.Combo5->Visible());
    EXPECT_FALSE(dialog.Label11->Visible());
    EXPECT_EQ(dialog.Combo5->Top(), 3000);
    EXPECT_EQ(dialog.Combo5->Left(), 2520);
    EXPECT_EQ(dialog.Label12->Top(), 3000);
    EXPECT_EQ(dialog.Label12->Left(), 480);

    dialog.Command2->userClick();
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(windows().active(), &page());
}

TEST_F(ChannelDialogTest, LoadingRunsEveryFieldRuleAndEndsUnchanged) {
    // Each field set while loading runs its rule: refused texts give their messages, the
    // attribute type decides the wheel (a dimmer's only while none is stored) and the stored
    // levels win over the key's presets.
    ChannelRow oddDimmer = Dimmer(1);
    oddDimmer[Curve] = "2";
    oddDimmer[OutputPercent] = "99999999999999999999999";
    oddDimmer[ControlWheel] = "Right";
    oddDimmer[LocateLevel].clear();
    ChannelRow panOnLeft = Pan(2);
    panOnLeft[ControlWheel] = "Left";
    panOnLeft[Invert] = "I";
    setRows({oddDimmer, panOnLeft, MakeChannel(3, "Tilt", "03", "Left", "16bit", "Tilt", "s", "F"),
             MakeFinePart(4, "Tilt fine", 3, "F"),
             MakeChannel(5, "Frost", "19", "Left", "LTP", "Frost", "L", "S"),
             MakeChannel(6, "Odd", "0", "Up", "X", "Uncategorized", "?", "z")});
    const auto shown = [](const QString& name, int type, int key, int wheel,
                          const QString& attributeLetter) {
        ChannelFields fields;
        fields.name = name;
        fields.channelType = type;
        fields.attributeKey = key;
        fields.controlWheel = wheel;
        fields.attributeType = AttributeTypeIndexOf(attributeLetter);
        return fields;
    };
    ChannelFields dimmer = shown("Dimmer", HtpTypeIndex, 0, RightWheelIndex, "H");
    dimmer.highLevel = "255";
    dimmer.lowLevel = "0";
    ChannelFields pan = shown("Pan", LtpTypeIndex, 2, RightWheelIndex, "E");
    pan.inverted = true;
    ChannelFields fine = shown("Tilt fine", PartTypeIndex, -1, -1, "F");
    fine.coarseChannelItem = "3 - Tilt";
    const struct {
        ChannelFields fields;
        QStringList messages;
        int oldCoarseChannel;
    } expected[] = {
        {dimmer, {"通道曲线通常设为 1...", "请输入数值范围0-100..."}, 0},
        {pan, {}, 0},
        {shown("Tilt", 4, 2, LeftWheelIndex, "F"), {}, 0},
        {fine, {}, 3},
        {shown("Frost", LtpTypeIndex, 18, LeftWheelIndex, "S"), {}, 0},
        {shown("Odd", HtpTypeIndex, -1, -1, "z"), {}, 0},
    };
    for (int row = 1; row <= 6; ++row) {
        SCOPED_TRACE(row);
        desktop.messages.clear();
        Form2_3& dialog = open(row);
        EXPECT_EQ(dialog.fields(), expected[row - 1].fields);
        EXPECT_EQ(messageTexts(), expected[row - 1].messages);
        EXPECT_EQ(dialog.OldCoarseChannel, expected[row - 1].oldCoarseChannel);
        EXPECT_EQ(dialog.Tag, "0");
        EXPECT_TRUE(dialog.Command1->Enabled());
        EXPECT_TRUE(dialog.Command3->Enabled());
        dialog.Command2->userClick();
        EXPECT_FALSE(isLoaded<Form2_3>()) << "Cancel right after opening asks nothing";
        settle();
    }
    EXPECT_EQ(rows()[0], oddDimmer) << "opening and cancelling writes nothing";
}

TEST_F(ChannelDialogTest, AnyChangeMakesCancelAskAndCancelKeepsTheDialog) {
    setRows({Pan(1)});
    Form2_3& dialog = open(1);
    QKeyEvent arrow(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    dialog.Text5->userFocus();
    QCoreApplication::sendEvent(dialog.Text5, &arrow);
    EXPECT_EQ(dialog.Tag, "1") << "any key counts, also one that edits nothing";

    desktop.answerMessage(MsgResult::Cancel);
    dialog.Command2->userClick();
    EXPECT_EQ(messageTexts(), QStringList{"确定取消所做的修改？"});
    EXPECT_EQ(desktop.messages.back().buttons, MsgButtons::OkCancel);
    EXPECT_TRUE(isLoaded<Form2_3>());

    desktop.answerMessage(MsgResult::Ok);
    dialog.Command2->userClick();
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows()[0], Pan(1));

    settle();
    Form2_3& again = open(1);
    again.Option1[1]->userClick();
    EXPECT_EQ(again.Tag, "1");
}

TEST_F(ChannelDialogTest, BoxesCorrectTheirTextAndLevelBoxesKeepTheFocus) {
    Form2_3& dialog = open(1);
    retype(dialog.Text3, "150");
    EXPECT_EQ(dialog.Text3->Text(), "100");
    erase(dialog.Text3);
    EXPECT_EQ(dialog.Text3->Text(), "100");
    dialog.Text3->setText("0");
    dialog.Text3->insertFiltered("x"); // pasted text that is no number
    EXPECT_EQ(dialog.Text3->Text(), "100");
    erase(dialog.Text2);
    EXPECT_EQ(dialog.Text2->Text(), "1");
    EXPECT_EQ(messageTexts(), QStringList({"请输入数值范围0-100...", "请输入数字值...",
                                           "请输入数字值...", "通道曲线通常设为 1..."}));

    desktop.messages.clear();
    for (TextBox* level : {dialog.Text4, dialog.Text5, dialog.Text6}) {
        for (const QString bad : {"256", "-2", "", "x", "9.."}) {
            SCOPED_TRACE((level->fullName() + " " + bad).toStdString());
            level->userFocus();
            level->setText(bad);
            EXPECT_FALSE(dialog.Command2->userClick());
            EXPECT_EQ(messageTexts(), QStringList{"范围 0-255，-1 表示不起作用..."});
            EXPECT_EQ(dialog.ActiveControl(), level);
            EXPECT_EQ(level->SelStart(), 0);
            EXPECT_EQ(level->SelLength(), bad.size());
            desktop.messages.clear();
        }
        for (const QString good : {"-1", "0", "255", "2.5"}) {
            level->setText(good);
            EXPECT_TRUE(dialog.Text1->userFocus()) << good.toStdString();
            level->userFocus();
        }
        dialog.Text1->userFocus();
    }
    EXPECT_TRUE(messageTexts().isEmpty());

    // The name takes ASCII only: what does not pass is taken off again.
    type(dialog.Text1, "Ab");
    dialog.Text1->insertFiltered("中c");
    EXPECT_EQ(dialog.Text1->Text(), "Abc");
    EXPECT_EQ(messageTexts(), QStringList{"请使用ASCII字符输入"});
}

TEST_F(ChannelDialogTest, AttributeTypesPresetTypeKeyWheelAndLevels) {
    Form2_3& dialog = open(1);
    pickType(dialog, "H");
    EXPECT_EQ(dialog.Combo1->Text(), "H - HTP");
    EXPECT_EQ(dialog.Combo2->Text(), "01 - Dimmer");
    EXPECT_EQ(dialog.Combo3->Text(), "左");
    EXPECT_EQ(levels(dialog), QStringList({"255", "255", "0"}));
    EXPECT_EQ(dialog.Tag, "1");

    // Type and key already chosen: the attribute type moves only the wheel; a dimmer keeps it.
    pickType(dialog, "C");
    EXPECT_EQ(dialog.Combo1->ListIndex(), HtpTypeIndex);
    EXPECT_EQ(dialog.Combo2->ListIndex(), 0);
    EXPECT_EQ(dialog.Combo3->Text(), "右");
    pickType(dialog, "H");
    EXPECT_EQ(dialog.Combo3->Text(), "右");

    // Choosing a key presets its levels; key 02 leaves them.
    dialog.Combo2->userPick(4);
    EXPECT_EQ(levels(dialog), QStringList({"128", "-1", "-1"}));
    dialog.Combo2->userPick(1);
    EXPECT_EQ(levels(dialog), QStringList({"128", "-1", "-1"}));
    desktop.answerMessage(MsgResult::Ok);
    dialog.Command2->userClick();
    settle();

    Form2_3& fresh = open(2);
    pickType(fresh, "E");
    EXPECT_EQ(fresh.Combo1->ListIndex(), LtpTypeIndex);
    EXPECT_EQ(fresh.Combo2->Text(), "03 - Tilt/Pan");
    EXPECT_EQ(fresh.Combo3->Text(), "右");
    EXPECT_EQ(levels(fresh), QStringList({"128", "-1", "-1"}));
    desktop.answerMessage(MsgResult::Ok);
    fresh.Command2->userClick();
    settle();

    // Frost's key "19" has no level presets.
    Form2_3& frost = open(3);
    pickType(frost, "S");
    EXPECT_EQ(frost.Combo2->Text(), "19");
    EXPECT_EQ(levels(frost), QStringList({"0", "-1", "-1"}));
}

TEST_F(ChannelDialogTest, StoredFinePartTakesNoAttributeDefaults) {
    setRows({Pan(1, "16bit", "s"), MakeFinePart(2, "Pan fine", 1, "E")});
    Form2_3& dialog = open(2);
    dialog.Combo1->userPick(LtpTypeIndex);
    EXPECT_TRUE(dialog.Combo2->Visible());
    pickType(dialog, "H");
    EXPECT_EQ(dialog.Combo2->ListIndex(), -1);
    EXPECT_EQ(dialog.Combo3->ListIndex(), -1);
}

TEST_F(ChannelDialogTest, PartModeOffersCoarseChannelsAndBlinksItsHint) {
    setRows({Pan(1, "16bit", "s"), MakeFinePart(2, "Pan fine", 1, "E"), Dimmer(3), NumberOnly(4),
             Pan(5, "16bit NF", "S"), Dimmer(6)});
    Form2_3& dialog = open(6);
    dialog.Combo1->userPick(PartTypeIndex);
    EXPECT_FALSE(dialog.Combo2->Visible());
    EXPECT_FALSE(dialog.Text4->Visible());
    EXPECT_FALSE(dialog.Option1[0]->Visible());
    EXPECT_TRUE(dialog.Combo5->Visible());
    EXPECT_TRUE(dialog.Label12->Visible());
    ASSERT_EQ(dialog.Combo5->ListCount(), 2);
    EXPECT_EQ(dialog.Combo5->List(0), "3 - Dimmer");
    EXPECT_EQ(dialog.Combo5->List(1), "5 - Pan");
    EXPECT_EQ(dialog.Combo5->ListIndex(), -1);

    EXPECT_TRUE(dialog.Label11->Visible());
    Timer::advanceClock(600);
    EXPECT_FALSE(dialog.Label11->Visible());
    Timer::advanceClock(600);
    EXPECT_TRUE(dialog.Label11->Visible());

    // Part chosen again lists the channels once, not twice.
    dialog.Combo1->userPick(LtpTypeIndex);
    EXPECT_TRUE(dialog.Combo2->Visible());
    EXPECT_FALSE(dialog.Combo5->Visible());
    EXPECT_FALSE(dialog.Label11->Visible());
    Timer::advanceClock(1200);
    EXPECT_FALSE(dialog.Label11->Visible()) << "the blink stops with Part";
    dialog.Combo1->userPick(PartTypeIndex);
    EXPECT_EQ(dialog.Combo5->ListCount(), 2);

    // A fine part is offered only its own coarse channel, already chosen.
    desktop.answerMessage(MsgResult::Ok);
    dialog.Command2->userClick();
    settle();
    Form2_3& fine = open(2);
    EXPECT_TRUE(fine.Combo5->Visible());
    EXPECT_EQ(fine.Combo5->Text(), "1 - Pan");
    EXPECT_EQ(fine.Combo5->ListCount(), 1);
    EXPECT_EQ(fine.OldCoarseChannel, 1);
    EXPECT_EQ(fine.Tag, "0");
}

TEST_F(ChannelDialogTest, RefusesASecondFinePartForTheSameCoarseChannel) {
    setRows({Pan(1, "LTP", "L"), MakeFinePart(2, "Pan fine", 1, "E"), NumberOnly(3)});
    Form2_3& dialog = open(3);
    dialog.Combo1->userPick(PartTypeIndex);
    dialog.Combo5->userPick(0);
    EXPECT_TRUE(messageTexts().isEmpty()) << "no check while the name is empty";
    EXPECT_EQ(dialog.Combo5->Text(), "1 - Pan");

    type(dialog.Text1, "P");
    EXPECT_EQ(messageTexts(), QStringList{"16bit的低8位通道被重复设置，请修改..."});
    EXPECT_EQ(dialog.Combo5->ListIndex(), -1);
    EXPECT_EQ(dialog.ActiveControl(), dialog.Combo5);
    EXPECT_FALSE(dialog.Command1->Enabled());

    // The fine part's own row never counts against itself.
    desktop.answerMessage(MsgResult::Ok);
    dialog.Command2->userClick();
    settle();
    desktop.messages.clear();
    Form2_3& own = open(2);
    type(own.Text1, "x");
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_TRUE(own.Command1->Enabled());
}

TEST_F(ChannelDialogTest, OkChecksEachRequiredFieldInOrder) {
    Form2_3& dialog = open(1);
    type(dialog.Text1, "Z");
    dialog.Text1->setText("");
    EXPECT_FALSE(dialog.Command1->Enabled());
    dialog.Command1->setEnabled(true); // as after the picker with nothing picked

    const auto okRefuses = [&](const QString& message, Control* focus) {
        desktop.messages.clear();
        dialog.Command1->userClick();
        EXPECT_EQ(messageTexts(), QStringList{message});
        EXPECT_EQ(dialog.ActiveControl(), focus) << message.toStdString();
        EXPECT_TRUE(isLoaded<Form2_3>());
        EXPECT_EQ(rows()[0], NumberOnly(1));
    };
    okRefuses("请填写通道名称...", dialog.Text1);
    dialog.Text1->setText("Zoom");
    okRefuses("请设置通道类型...", dialog.Combo1);
    dialog.Combo1->userPick(LtpTypeIndex);
    okRefuses("请设置属性键...", dialog.Combo2);
    dialog.Combo2->userPick(4);
    okRefuses("请设置控制轮...", dialog.Combo3);
    dialog.Combo3->userPick(0);
    // A box emptied by program text stays empty: its rule would refill a typed one.
    dialog.Text2->blockSignals(true);
    dialog.Text2->setText("");
    dialog.Text3->blockSignals(true);
    dialog.Text3->setText("");
    okRefuses("请设置通道曲线类型，通常为1，仅HTP通道起作用...", dialog.Text2);
    dialog.Text2->setText("1");
    okRefuses("请设置通道输出比例，范围0-100%...", dialog.Text3);
    dialog.Text3->setText("100");
    dialog.Text2->blockSignals(false);
    dialog.Text3->blockSignals(false);
    okRefuses("请设置通道属性类型...", dialog.Combo4);
    pickType(dialog, "Q");
    for (auto [box, message] : std::initializer_list<std::pair<TextBox*, QString>>{
             {dialog.Text4, "请设置定位值，范围0-255，-1表示不起作用..."},
             {dialog.Text5, "请设置高亮度的值，范围0-255，-1表示不起作用..."},
             {dialog.Text6, "请设置低亮度的值，范围0-255，-1表示不起作用..."}}) {
        const QString kept = box->Text();
        box->setText("");
        okRefuses(message, box);
        box->setText(kept);
    }

    desktop.messages.clear();
    dialog.Command1->userClick();
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(windows().active(), &page());
    EXPECT_EQ(rows()[0], ChannelRow({"1", "Zoom", "05", "Left", "LTP", "100", "1", "N", "Zoom",
                                     "128", "-1", "-1", "L", "Q"}));
}

TEST_F(ChannelDialogTest, PairingPromotesCoarseChannelsByTheirAttributeType) {
    const std::vector<std::pair<QString, QString>> cases{
        {"I", "S"}, {"J", "S"}, {"A", "S"}, {"N", "S"}, {"K", "s"},
        {"M", "s"}, {"E", "s"}, {"F", "s"}, {"H", "H"}, {"G", "L"}};
    for (const auto& [letter, coarseLetter] : cases) {
        SCOPED_TRACE(letter.toStdString());
        const QString typeLetter = letter == "H" ? "H" : "L";
        setRows(
            {Typed(1, "Coarse", letter == "H" ? "HTP" : "LTP", typeLetter, letter), NumberOnly(2)});
        Form2_3& dialog = open(2);
        type(dialog.Text1, "Fine");
        dialog.Combo1->userPick(PartTypeIndex);
        dialog.Combo5->userPick(0);
        dialog.Command1->userClick();
        ASSERT_FALSE(isLoaded<Form2_3>());
        EXPECT_EQ(rows()[0][ChannelTypeName], "16bit");
        EXPECT_EQ(rows()[0][ChannelTypeLetter], coarseLetter);
        EXPECT_EQ(rows()[1][AttributeName], "Ch1 fine");
        EXPECT_EQ(rows()[1][ChannelTypeLetter], letter == "H" ? "H" : "L");
        EXPECT_EQ(rows()[1][AttributeTypeLetter], letter);
        settle();
    }
    EXPECT_TRUE(messageTexts().isEmpty());
}

TEST_F(ChannelDialogTest, SixteenBitChannelsGiveUpTheirFinePartOnOkAndDelete) {
    const ChannelRows paired{Pan(1, "16bit", "s"), NumberOnly(2),
                             MakeFinePart(3, "Pan fine", 1, "E")};
    setRows(paired);
    desktop.answerMessage(MsgResult::Ok);
    open(1).Command1->userClick();
    EXPECT_EQ(messageTexts(),
              QStringList{"该16bit通道由通道 1 [Pan] 与通道 3 [Pan fine] 组成，因此，更改通道 1 "
                          "就必须删除通道 3..."});
    EXPECT_EQ(rows()[2], NumberOnly(3));
    EXPECT_EQ(rows()[0], Pan(1, "16bit", "s")) << "written as the dialog shows it";
    settle();

    // Deleting the fine part sends the coarse channel back to its 8-bit type.
    setRows(paired);
    desktop.messages.clear();
    desktop.answerMessage(MsgResult::Ok);
    open(3).Command3->userClick();
    EXPECT_EQ(messageTexts(), QStringList{"确定要删除通道 3的数据？"});
    EXPECT_FALSE(desktop.messages[0].cancelIsDefault);
    EXPECT_EQ(rows()[2], NumberOnly(3));
    EXPECT_EQ(rows()[0], Pan(1));
    EXPECT_FALSE(isLoaded<Form2_3>());
    settle();

    // Deleting the coarse channel takes the fine part with it.
    setRows(paired);
    desktop.messages.clear();
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    open(1).Command3->userClick();
    EXPECT_EQ(messageTexts(),
              QStringList({"确定要删除通道 1的数据？",
                           "该16bit通道由通道 1 [Pan] 与通道 3 [Pan fine] 组成，因此删除通道 1 "
                           "也必须同时删除通道 3..."}));
    EXPECT_EQ(rows(), ChannelRows({NumberOnly(1), NumberOnly(2), NumberOnly(3), NumberOnly(4),
                                   NumberOnly(5), NumberOnly(6)}));
    settle();

    // Cancel on the question deletes nothing, and the dialog closes all the same.
    setRows(paired);
    desktop.answerMessage(MsgResult::Cancel);
    open(1).Command3->userClick();
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows()[0], Pan(1, "16bit", "s"));
    EXPECT_EQ(rows()[2], MakeFinePart(3, "Pan fine", 1, "E"));
}

TEST_F(ChannelDialogTest, RetypingAFinePartFallsItsCoarseChannelBack) {
    setRows({Typed(1, "Wheel", "16bit", "S", "A"), MakeFinePart(2, "Wheel fine", 1, "A")});
    Form2_3& dialog = open(2);
    dialog.Combo1->userPick(LtpTypeIndex);
    dialog.Combo2->userPick(3);
    dialog.Combo3->userPick(0);
    pickType(dialog, "A");
    dialog.Command1->userClick();
    ASSERT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows()[0][ChannelTypeName] + "/" + rows()[0][ChannelTypeLetter], "Instant/I");
    EXPECT_EQ(rows()[1][ChannelTypeName], "LTP");
    EXPECT_EQ(rows()[1][AttributeName], "Color Wheel 1");
}

TEST_F(ChannelDialogTest, FindsItsChannelByNumberAfterTheRowsMovedOrWentAway) {
    setRows({Pan(1), MakeChannel(2, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F"), NumberOnly(3),
             NumberOnly(4), NumberOnly(5), NumberOnly(6)});
    Form2_3& dialog = open(3);
    type(dialog.Text1, "Pan fine");
    dialog.Combo1->userPick(PartTypeIndex);
    dialog.Combo5->userPick(0);
    // Meanwhile the page moves channel 3 to the second row.
    setRows({Pan(1), NumberOnly(3), MakeChannel(2, "Tilt", "03", "Left", "LTP", "Tilt", "L", "F")});
    dialog.Command1->userClick();
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows()[1][ChannelName], "Pan fine");
    EXPECT_EQ(rows()[1][AttributeName], "Ch1 fine");
    EXPECT_EQ(rows()[2][ChannelName], "Tilt") << "the row now at position 3 is left alone";
    EXPECT_EQ(rows()[0][ChannelTypeName], "16bit");
    settle();

    // The channel count dropped below the channel: OK and delete close and write nothing.
    const ChannelRows before = rows();
    Form2_3& gone = open(6);
    type(gone.Text1, "Late");
    gone.Combo1->userPick(LtpTypeIndex);
    gone.Combo2->userPick(0);
    common::Public().ChannelCount = 4;
    gone.Command1->userClick();
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows(), ChannelRows(before.begin(), before.begin() + 4));
    settle();
    common::Public().ChannelCount = 6;
    page().SetVisible(false);
    page().Show();
    open(6);
    common::Public().ChannelCount = 4;
    desktop.messages.clear();
    window<Form2_3>().Command3->userClick();
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_EQ(rows(), ChannelRows(before.begin(), before.begin() + 4));
}

TEST_F(ChannelDialogTest, PickedStandardNameFillsTheDialog) {
    Form2_3& dialog = open(1);
    pickStandardName(dialog, 0);
    EXPECT_FALSE(isLoaded<Form2_2>());
    EXPECT_EQ(dialog.Text1->Text(), "Dimmer");
    EXPECT_EQ(dialog.Combo1->Text(), "H - HTP");
    EXPECT_EQ(dialog.Combo2->Text(), "01 - Dimmer");
    EXPECT_EQ(dialog.Combo4->Text(), "H - Dimmer");
    EXPECT_EQ(dialog.Combo3->Text(), "左");
    EXPECT_EQ(levels(dialog), QStringList({"255", "255", "0"}));
    EXPECT_EQ(dialog.Tag, "1");
    EXPECT_TRUE(dialog.Command1->Enabled());
    EXPECT_EQ(windows().active(), &dialog);

    // Every name leaves exactly the table's values, whatever the rules did on the way.
    for (int i = 0; i < static_cast<int>(StandardChannelNameTable.size()); ++i) {
        const StandardChannelName& entry = StandardChannelNameTable[i];
        if (entry.attributeKey < 0) {
            continue;
        }
        SCOPED_TRACE(entry.name.toString().toStdString());
        pickStandardName(dialog, i);
        EXPECT_EQ(dialog.Text1->Text(), entry.name);
        EXPECT_EQ(dialog.Combo1->ListIndex(), entry.channelType);
        EXPECT_EQ(dialog.Combo2->ListIndex(), entry.attributeKey);
        EXPECT_EQ(dialog.Combo4->ListIndex(), entry.attributeType);
        EXPECT_EQ(dialog.Combo3->ListIndex(), entry.controlWheel);
        EXPECT_EQ(levels(dialog),
                  QStringList({entry.levels.locate.toString(), entry.levels.high.toString(),
                               entry.levels.low.toString()}));
    }

    // A fine-part name sets only the type and the name.
    pickStandardName(dialog, 23);
    EXPECT_EQ(dialog.Text1->Text(), "Pan fine");
    EXPECT_EQ(dialog.Combo1->ListIndex(), PartTypeIndex);
    EXPECT_TRUE(dialog.Combo5->Visible());

    // Nothing picked clears the name; close changes nothing.
    pickStandardName(dialog, -1);
    EXPECT_EQ(dialog.Text1->Text(), "");
    EXPECT_TRUE(dialog.Command1->Enabled());
    dialog.Text1->setText("Kept");
    const ChannelFields before = dialog.fields();
    desktop.modalDriver = [](const std::function<bool()>&) {
        Form2_2& picker = window<Form2_2>();
        EXPECT_EQ(picker.List1->ListIndex(), -1);
        EXPECT_EQ(picker.List1->ListCount(), 28);
        EXPECT_EQ(picker.List1->List(13), " C. Mix 1 - 颜色混合1");
        EXPECT_EQ(picker.Label1->Caption(), "正在编辑：新建K36文件...");
        picker.List1->userPick(2);
        picker.Command2->userClick();
    };
    dialog.Command4->userClick();
    EXPECT_FALSE(isLoaded<Form2_2>());
    EXPECT_EQ(dialog.fields(), before);
}

TEST_F(ChannelDialogTest, ResetClosesTheDialogAndPickerWithoutWriting) {
    setRows({Pan(1)});
    Form2_3& dialog = open(1);
    type(dialog.Text1, "X");
    window<Form2_2>();
    shell::ResetAllData();
    EXPECT_FALSE(isLoaded<Form2_3>());
    EXPECT_FALSE(isLoaded<Form2_2>());
    EXPECT_TRUE(messageTexts().isEmpty());
    EXPECT_EQ(page().MSFlexGrid1->TextMatrix(1, ColumnIndex(ChannelName)), "");
}

} // namespace

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "channels/Form2_3.h"
#include "channels/Vocabulary.h"
#include "common/Colors.h"
#include "common/Public.h"
#include "shell/Form3.h"
#include "tests/support/ChannelTestRows.h"
#include "tests/support/EditorTest.h"

using namespace channels;
using enum channels::ChannelColumn;

using namespace platform;
using channels::Form2;

namespace {

class ChannelPageTest : public EditorTest {
protected:
    // The page as the basic information page's ">>" leaves it: shown for count channels.
    Form2& open(int count) {
        common::Public().ChannelCount = static_cast<qint16>(count);
        Form2& page = window<Form2>();
        page.Show();
        return page;
    }
    // Back on the page after another window was in front.
    static void reactivate(Form2& page, int count) {
        page.SetVisible(false);
        common::Public().ChannelCount = static_cast<qint16>(count);
        page.Show();
    }
    static void named(Form2& page, int row, const QString& name) {
        page.MSFlexGrid1->setTextMatrix(row, ColumnIndex(ChannelName), name);
    }
    static Qt::Alignment alignmentOf(const Form2& page, int row, int col) {
        return Qt::Alignment(page.MSFlexGrid1->item(row, col)->textAlignment());
    }
};

ChannelRow Keyed(int number, const QString& key, const QString& wheel) {
    return MakeChannel(number, "X", key, wheel, "LTP", "Uncategorized", "L", "0");
}

TEST_F(ChannelPageTest, ActivationLaysOutHeadersAndNumbersEveryChannel) {
    common::Public().WindowTitle = "TAVO_K36_Editor V1.0.0";
    common::Public().EditingFileLabel = "新建K36文件...";
    Form2& page = open(512);
    Grid& grid = *page.MSFlexGrid1;

    EXPECT_EQ(page.Caption(), "TAVO_K36_Editor V1.0.0");
    EXPECT_EQ(page.Label1->Caption(), "正在编辑：新建K36文件...");
    ASSERT_EQ(grid.Rows(), 513);
    ASSERT_EQ(grid.Cols(), 14);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.FixedCols(), 0);
    for (int row = 1; row <= 512; ++row) {
        ASSERT_EQ(grid.TextMatrix(row, ColumnIndex(ChannelNumber)), QString::number(row));
        ASSERT_EQ(grid.TextMatrix(row, ColumnIndex(ChannelName)), "");
    }
    const QStringList headers{"CH.",    "通道名称", "属性键",  "控制轮",   "通道类型",
                              "输出%",  "曲线",     "反向",    "属性名称", "灯定位",
                              "高亮度", "低亮度",   "Ch.Type", "属性类型"};
    const int widths[] = {450, 1400, 650, 650, 850, 650, 450, 450, 1400, 650, 650, 650, 850, 850};
    for (int col = 0; col < 14; ++col) {
        EXPECT_EQ(grid.TextMatrix(0, col), headers[col]);
        EXPECT_EQ(grid.ColWidth(col), toTwips(toPixels(widths[col]))) << "whole pixels";
        const bool left = col == 1 || col == 3 || col == 4 || col == 8;
        grid.setTextMatrix(5, col, "x"); // a cell takes its column's alignment when written
        EXPECT_EQ(alignmentOf(page, 0, col), Qt::AlignHCenter | Qt::AlignVCenter) << col;
        EXPECT_EQ(alignmentOf(page, 5, col),
                  (left ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter)
            << col;
    }
    EXPECT_EQ(grid.RowHeight(0), toTwips(toPixels(280))) << "whole pixels";
    EXPECT_EQ(grid.RowHeight(512), grid.RowHeight(0));
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.Col(), 8);
    EXPECT_EQ(grid.BackColorFixed(), QColor(255, 192, 128));
    EXPECT_EQ(grid.BackColorBkg(), QColor(224, 224, 224));
    // Column 0 is an ordinary column: only the header row has the header colour.
    EXPECT_EQ(grid.cellBackColorAt(0, 0), QColor(255, 192, 128));
    EXPECT_EQ(grid.cellBackColorAt(1, 0), QColor(Qt::white));
    EXPECT_EQ(grid.cellBackColorAt(1, 6), QColor(Qt::white));
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ChannelPageTest, ACountChangeKeepsTheRowsInRangeByPosition) {
    Form2& page = open(6);
    // Rows as ">>" leaves them after grouping: row 2 holds channel 5.
    page.writeRowsToGrid({Keyed(1, "03", "Right"), MakeFinePart(5, "Pan fine", 1, "E"),
                          Keyed(2, "01", "Left"), Keyed(3, "02", "Left"), Keyed(4, "04", "Left"),
                          MakeFinePart(6, "Tilt fine", 4, "F")});
    page.MSFlexGrid1->setTextMatrix(3, ColumnIndex(ChannelNumber), "");

    reactivate(page, 4);
    const ChannelRows rows = page.rowsFromGrid();
    ASSERT_EQ(page.MSFlexGrid1->Rows(), 5);
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "5", "2", "3"}))
        << "an emptied number cell takes the channel no row holds";
    EXPECT_EQ(rows[1][ChannelName], "Pan fine");
    EXPECT_EQ(rows[3][AttributeKey], "02");

    reactivate(page, 7);
    ASSERT_EQ(page.MSFlexGrid1->Rows(), 8);
    EXPECT_EQ(NumbersOf(page.rowsFromGrid()), QStringList({"1", "5", "2", "3", "4", "6", "7"}));
    EXPECT_EQ(page.MSFlexGrid1->TextMatrix(6, ColumnIndex(ChannelName)), "")
        << "new rows come empty";
    EXPECT_EQ(page.MSFlexGrid1->TextMatrix(2, ColumnIndex(AttributeName)), "Ch1 fine");
}

TEST_F(ChannelPageTest, ARowClickRemembersTheRowButTheHeaderRowOpensNothing) {
    Form2& page = open(4);
    page.MSFlexGrid1->Click();
    EXPECT_EQ(page.Tag, "") << "the header row is current right after activation";
    EXPECT_FALSE(isLoaded<channels::Form2_3>());

    page.MSFlexGrid1->userClickCell(3, 1);
    EXPECT_EQ(page.Tag, "3");
    EXPECT_TRUE(window<channels::Form2_3>().Visible());
    // A click on the header keeps the current row.
    page.MSFlexGrid1->userClickCell(0, 1);
    EXPECT_EQ(page.Tag, "3");
    EXPECT_TRUE(page.Visible());
}

TEST_F(ChannelPageTest, NextRefusesAnUnnamedChannelAndLeavesTheGridAlone) {
    Form2& page = open(3);
    named(page, 1, "Dimmer");
    named(page, 3, "Shutter");
    desktop.answerMessage(MsgResult::Ok);
    page.Command2->userClick();

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "DMX通道信息尚未填写完成...");
    EXPECT_EQ(desktop.messages[0].icon, MsgIcon::None);
    EXPECT_EQ(desktop.messages[0].buttons, MsgButtons::OkOnly);
    EXPECT_TRUE(page.Visible());
}

TEST_F(ChannelPageTest, NextReportsEveryKeyConflictAndStays) {
    Form2& page = open(5);
    const ChannelRows before{Keyed(1, "01", "Left"), Keyed(2, "01", "Right"),
                             Keyed(3, "01", "Left"), Keyed(4, "05", "Right"),
                             MakeFinePart(5, "fine", 1, "H")};
    page.writeRowsToGrid(before);
    desktop.answerMessage(MsgResult::Ok);
    page.Command2->userClick();

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "属性键 01 的左右两个控制轮已被使用，\r\n"
                                        "请将 CH3 或者 CH1 改用其他属性键控制...");
    EXPECT_EQ(desktop.messages[0].icon, MsgIcon::Exclamation);

    // A second repeated wheel: one message per pair, in scan order.
    page.MSFlexGrid1->setTextMatrix(5, ColumnIndex(AttributeKey), "05");
    page.MSFlexGrid1->setTextMatrix(5, ColumnIndex(ControlWheel), "Right");
    desktop.messages.clear();
    desktop.answerMessage(MsgResult::Ok);
    desktop.answerMessage(MsgResult::Ok);
    page.Command2->userClick();
    ASSERT_EQ(desktop.messages.size(), 2u);
    EXPECT_EQ(desktop.messages[1].text, "属性键 05 被重复设置了 Right 控制轮，\r\n"
                                        "请修改 CH5 或者CH4 的控制轮...");
    EXPECT_EQ(desktop.messages[1].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(page.Visible());
    EXPECT_EQ(NumbersOf(page.rowsFromGrid()), QStringList({"1", "2", "3", "4", "5"}))
        << "nothing moves while conflicts stand";
    EXPECT_TRUE(desktop.problems.empty());
}

TEST_F(ChannelPageTest, NextMovesFineRowsUnderTheirCoarseChannelsAndGoesOn) {
    Form2& page = open(4);
    page.writeRowsToGrid({MakeChannel(1, "Pan", "03", "Right", "16bit", "Pan", "s", "E"),
                          MakeChannel(2, "Tilt", "03", "Left", "16bit", "Tilt", "s", "F"),
                          MakeFinePart(3, "Pan fine", 1, "E"),
                          MakeFinePart(4, "Tilt fine", 2, "F")});
    page.Command2->userClick();

    EXPECT_TRUE(desktop.messages.empty());
    const ChannelRows rows = page.rowsFromGrid();
    EXPECT_EQ(NumbersOf(rows), QStringList({"1", "3", "2", "4"}));
    EXPECT_EQ(rows[1][AttributeName], "Ch1 fine") << "all fourteen cells move";
    EXPECT_EQ(rows[1][ChannelTypeName], "Part");
    EXPECT_EQ(rows[2][ChannelName], "Tilt");
    EXPECT_EQ(FindChannelRow(rows, 2), 2u);
    EXPECT_FALSE(page.Visible());
    EXPECT_TRUE(window<shell::Form3>().Visible());

    // Coming back renumbers nothing: the moved rows keep their channels.
    reactivate(page, 4);
    EXPECT_EQ(NumbersOf(page.rowsFromGrid()), QStringList({"1", "3", "2", "4"}));
}

TEST_F(ChannelPageTest, FindsChannelsByNumberAfterTheRowsMoved) {
    // Channel 7 is the fine part of channel 1; after ">>" it sits in row 2 and channels 2 to 6
    // sit one row lower than their numbers.
    Form2& page = open(8);
    ChannelRows rows;
    rows.push_back(MakeChannel(1, "Dimmer", "01", "Left", "16bit", "Dimmer", "H", "H"));
    for (int number = 2; number <= 6; ++number) {
        rows.push_back(MakeChannel(number, "Gobo", QString("0%1").arg(number), "Left", "LTP",
                                   "Gobo1", "L", "I"));
    }
    rows.push_back(MakeFinePart(7, "Dimmer fine", 1, "H"));
    rows.push_back(MakeChannel(8, "Speed", "08", "Left", "LTP", "Uncategorized", "L", "0"));
    page.writeRowsToGrid(rows);
    page.Command2->userClick();

    const ChannelRows moved = page.rowsFromGrid();
    EXPECT_EQ(NumbersOf(moved), QStringList({"1", "7", "2", "3", "4", "5", "6", "8"}));
    EXPECT_EQ(FindChannelRow(moved, 7), 1u);
    EXPECT_EQ(FindChannelRow(moved, 6), 6u);
    EXPECT_EQ(FindChannelRow(moved, 8), 7u);
    EXPECT_EQ(moved[*FindChannelRow(moved, 3)][AttributeKey], "03");
}

TEST_F(ChannelPageTest, BackShowsTheBasicInformationPageAndKeepsTheGrid) {
    Form2& page = open(2);
    named(page, 1, "Dimmer");
    page.Command1->userClick();
    EXPECT_FALSE(page.Visible());
    EXPECT_TRUE(window<basicinfo::Form1>().Visible());
    EXPECT_EQ(page.MSFlexGrid1->TextMatrix(1, ColumnIndex(ChannelName)), "Dimmer");
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ChannelPageTest, CloseBoxAsksConfirmExit) {
    Form2& page = open(2);
    desktop.answerMessage(MsgResult::Cancel);
    page.userClose();
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].text, "确定退出？");
    EXPECT_TRUE(isLoaded<Form2>());
    EXPECT_TRUE(page.Visible());

    common::Public().DataChanged = true;
    desktop.answerMessage(MsgResult::Ok);
    EXPECT_TRUE(endsProgram([&] { page.userClose(); }));
    EXPECT_EQ(desktop.messages.back().text, "数据已被改变，确定放弃并退出？");
}

TEST_F(ChannelPageTest, HoverColoursAndTheLinkLabel) {
    Form2& page = open(2);
    for (CommandButton* button : {page.Command1, page.Command2, page.Command3}) {
        button->MouseMove(0, 0, 0, 0);
        EXPECT_EQ(button->BackColor(), common::colors::Hover);
    }
    page.Label4->MouseMove(0, 0, 0, 0);
    EXPECT_EQ(page.Label4->ForeColor(), systemHighlight());
    page.Label3->MouseMove(0, 0, 0, 0);
    EXPECT_EQ(page.Label4->ForeColor(), QColor(255, 255, 255));

    page.Label4->MouseMove(0, 0, 0, 0);
    page.Form_MouseMove(0, 0, 0, 0);
    for (CommandButton* button : {page.Command1, page.Command2, page.Command3}) {
        EXPECT_EQ(button->BackColor(), QColor(224, 224, 224));
    }
    EXPECT_EQ(page.Label4->ForeColor(), QColor(255, 255, 255));

    page.Label4->userClick();
    ASSERT_EQ(desktop.webAddresses.size(), 1u);
    EXPECT_EQ(desktop.webAddresses[0], common::MakerWebAddress);
}

} // namespace

#include "channels/Form2.h"
#include "common/Public.h"
#include "tests/support/EditorTest.h"

using namespace channels;
using enum channels::ChannelColumn;

using namespace platform;

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
    static Qt::Alignment alignmentOf(const Form2& page, int row, int col) {
        return Qt::Alignment(page.MSFlexGrid1->item(row, col)->textAlignment());
    }
};

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

} // namespace

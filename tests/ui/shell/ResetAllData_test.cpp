#include "tests/support/EditorTest.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "shell/ResetAllData.h"

using namespace channels;
using enum channels::ChannelColumn;

using basicinfo::Form1;
using platform::window;

namespace {

class ResetAllDataTest : public EditorTest {};

TEST_F(ResetAllDataTest, LoadsWhatItTouchesHiddenAndShowsNothing) {
    shell::ResetAllData();
    EXPECT_TRUE(platform::isLoaded<Form1>());
    EXPECT_TRUE(platform::isLoaded<channels::Form2>());
    EXPECT_FALSE(window<Form1>().isVisible());
    EXPECT_FALSE(window<channels::Form2>().isVisible());
    EXPECT_EQ(platform::windows().active(), nullptr);
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ResetAllDataTest, EmptiesThePageThroughItsRulesAndLeavesTheStores) {
    Form1& page = window<Form1>();
    page.Text3->setText("Maker");
    page.Text4->setText("Spot");
    page.Text5->setText("12");
    page.Text9->setText("540");
    page.Text10->setText("270");
    page.Option1[2]->setValue(true);
    page.Option2[0]->setValue(true);
    page.Combo1->setListIndex(1);
    common::Public().Stores.rangeTables.append({qint32(3)});
    common::Public().Stores.macros.append({QStringLiteral("Chase")});
    common::Public().DataChanged = false;

    shell::ResetAllData();
    for (platform::TextBox* box : {page.Text3, page.Text4, page.Text5, page.Text6, page.Text7,
                                   page.Text8, page.Text9, page.Text10}) {
        EXPECT_EQ(box->Text(), "") << box->fullName().toStdString();
    }
    EXPECT_EQ(common::Public().ChannelCount, 0);
    EXPECT_EQ(page.MaxStartAddress, 0);
    EXPECT_TRUE(page.Option1[0]->Value());
    // Selecting "电脑灯" ran its rule: the moving-light fields are back in view.
    EXPECT_TRUE(page.Option2[1]->Value());
    EXPECT_FALSE(page.Text9->isHidden());
    EXPECT_EQ(page.Frame2->Height(), 2895);
    EXPECT_EQ(page.Combo1->ListIndex(), 0);
    EXPECT_TRUE(common::Public().DataChanged);
    EXPECT_EQ(common::Public().Stores.rangeTables.count(), 1);
    // The macro list loads hidden, listing the store, and is emptied after.
    EXPECT_EQ(window<macros::Form3_3>().List1->ListCount(), 0);
    EXPECT_FALSE(window<macros::Form3_3>().isVisible());
    EXPECT_EQ(common::Public().Stores.macros.count(), 1);

    // The page's next showing presents a new fixture's moving-head type.
    page.Show();
    EXPECT_EQ(page.Combo1->ListIndex(), 1);
}

TEST_F(ResetAllDataTest, ClearsEveryGridCellKeepingTheGridsSize) {
    platform::Grid& grid = *window<channels::Form2>().MSFlexGrid1;
    grid.setRows(13);
    grid.setCols(ChannelColumnCount);
    for (int row = 0; row < 13; ++row) {
        grid.setTextMatrix(row, ColumnIndex(ChannelName), QStringLiteral("cell %1").arg(row));
    }
    shell::ResetAllData();
    EXPECT_EQ(grid.Rows(), 13);
    EXPECT_EQ(grid.Cols(), ChannelColumnCount);
    for (int row = 0; row < 13; ++row) {
        for (int col = 0; col < ChannelColumnCount; ++col) {
            EXPECT_EQ(grid.TextMatrix(row, col), "");
        }
    }
}

} // namespace

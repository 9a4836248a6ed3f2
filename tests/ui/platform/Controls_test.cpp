#include "tests/support/EditorTest.h"

#include <QApplication>
#include <QMouseEvent>

using namespace platform;

namespace {

class Panel : public Form {
public:
    static constexpr const char* Name = "Panel";
    Panel() : Form(QString::fromLatin1(Name)) {
        Combo1 = new ComboBox(this, "Combo1");
        List1 = new ListBox(this, "List1");
        Grid1 = new Grid(this, "Grid1");
        Combo1->Click = [this] { ++comboClicks; };
        List1->Click = [this] { ++listClicks; };
        Grid1->Click = [this] {
            clicked << QStringLiteral("%1,%2").arg(Grid1->Row()).arg(Grid1->Col());
        };
    }
    ComboBox* Combo1;
    ListBox* List1;
    Grid* Grid1;
    int comboClicks = 0;
    int listClicks = 0;
    QStringList clicked;
};

class ControlsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Panel>();
    }
};

TEST_F(ControlsTest, ListsSelectNothingWhenFilledAndClickOnlyWhenThePositionChanges) {
    Panel& p = window<Panel>();
    for (auto* add : {+[](Panel&q, const QString&s) { q.Combo1->AddItem(s); },
                      +[](Panel&q, const QString&s) { q.List1->AddItem(s); }}) {
        add(p, "镜片");
        add(p, "摇头");
    }
    EXPECT_EQ(p.Combo1->ListIndex(), -1);
    EXPECT_EQ(p.List1->ListIndex(), -1);
    EXPECT_EQ(p.comboClicks + p.listClicks, 0);

    p.Combo1->setListIndex(1);
    p.Combo1->setListIndex(1);
    p.List1->setListIndex(0);
    EXPECT_EQ(p.comboClicks, 1);
    EXPECT_EQ(p.listClicks, 1);
    EXPECT_EQ(p.Combo1->Text(), "摇头");

    // Inserting before the selection keeps the same item selected, silently.
    p.Combo1->AddItem("first", 0);
    EXPECT_EQ(p.Combo1->Text(), "摇头");
    p.List1->setItemData(1, 42);
    EXPECT_EQ(p.List1->ItemData(1), 42);
    p.Combo1->Clear();
    p.List1->Clear();
    EXPECT_EQ(p.Combo1->ListIndex(), -1);
    EXPECT_EQ(p.List1->ListCount(), 0);
    EXPECT_EQ(p.comboClicks, 1);
}

// As on the desktop's own lists, a click on the item already chosen is a click too.
TEST_F(ControlsTest, AClickOnTheChosenItemOfAOneChoiceListClicksOnce) {
    Panel& p = window<Panel>();
    p.Show();
    p.List1->AddItem("镜片");
    p.List1->AddItem("摇头");
    p.List1->setListIndex(1);
    for (int item : {1, 1, 0}) {
        const QPoint at = p.List1->visualItemRect(p.List1->item(item)).center();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, p.List1->viewport()->mapToGlobal(at), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(p.List1->viewport(), &event);
        }
    }
    EXPECT_EQ(p.listClicks, 4);
}

TEST_F(ControlsTest, GridKeepsCellsByPositionAcrossResizeInsertRemoveAndClear) {
    Grid& g = *window<Panel>().Grid1;
    g.setCols(3);
    g.setRows(4);
    for (int r = 0; r < 4; ++r) {
        g.setTextMatrix(r, 0, QString::number(r));
    }
    g.setRows(3); // the last row goes
    g.setRows(5); // two empty rows come at the end
    EXPECT_EQ(g.TextMatrix(2, 0), "2");
    EXPECT_EQ(g.TextMatrix(3, 0), "");
    EXPECT_EQ(g.TextMatrix(9, 9), ""); // outside reads as empty

    g.AddItem("a\tb\tc", 2);
    EXPECT_EQ(g.Rows(), 6);
    EXPECT_EQ(g.TextMatrix(2, 1), "b");
    EXPECT_EQ(g.TextMatrix(3, 0), "2");
    g.RemoveItem(1);
    EXPECT_EQ(g.TextMatrix(1, 2), "c");

    g.Clear();
    EXPECT_EQ(g.Rows(), 5);
    EXPECT_EQ(g.Cols(), 3);
    EXPECT_EQ(g.TextMatrix(1, 2), "");
}

TEST_F(ControlsTest, ColumnAlignmentOverridesTheCellsOwnEvenWhenTheColumnKeepsIt) {
    Grid& g = *window<Panel>().Grid1;
    g.setCols(2);
    g.setRows(3);
    g.setTextMatrix(1, 1, "a"); // a cell is made when first written
    g.setTextMatrix(2, 1, "b");
    const auto alignmentOf = [&g](int row) {
        return Qt::Alignment(g.item(row, 1)->textAlignment());
    };
    g.setColAlignment(1, Alignment::Left);
    g.setRow(2);
    g.setCol(1);
    g.setCellAlignment(Alignment::Right);
    EXPECT_TRUE(alignmentOf(2) & Qt::AlignRight);

    g.setColAlignment(1, Alignment::Left);
    EXPECT_TRUE(alignmentOf(2) & Qt::AlignLeft);
    EXPECT_TRUE(alignmentOf(1) & Qt::AlignLeft);
    g.setColAlignment(1, Alignment::Center);
    EXPECT_TRUE(alignmentOf(1) & Qt::AlignHCenter);
    EXPECT_TRUE(alignmentOf(2) & Qt::AlignHCenter);
}

TEST_F(ControlsTest, PictureBoxShowsTheEmbeddedPictureItNames) {
    auto* picture = new PictureBox(&window<Panel>(), "Picture1");
    picture->setPicture(":/images/splash.png");
    EXPECT_EQ(picture->pixmap().size(), QSize(400, 240));
    picture->setPicture(":/images/logo.png");
    EXPECT_EQ(picture->pixmap().size(), QSize(100, 48));
}

TEST_F(ControlsTest, GridClickOnAFixedRowLeavesTheCurrentRow) {
    Panel& p = window<Panel>();
    Grid& g = *p.Grid1;
    g.setCols(3);
    g.setRows(4);
    g.setFixedCols(0);
    p.Show();
    g.setRow(0);
    g.userClickCell(0, 2);
    g.userClickCell(3, 1);
    EXPECT_EQ(p.clicked, (QStringList{"0,2", "3,1"}));

    g.setRowHeight(-1, 600);
    g.setRows(6);
    EXPECT_EQ(g.RowHeight(5), 600);
}

} // namespace

TEST_F(ControlsTest, SaveDialogAsksOnlyWhatItsFlagsAskFor) {
    CommonDialog dialog(nullptr, "CommonDialog1");
    desktop.answerDialog(testsupport::ScriptedDesktop::Cancelled{});
    EXPECT_FALSE(dialog.ShowSave());
    desktop.answerDialog(testsupport::ScriptedDesktop::Cancelled{});
    dialog.Flags = 0x3402;
    EXPECT_FALSE(dialog.ShowSave());

    ASSERT_EQ(desktop.saveDialogs.size(), 2u);
    EXPECT_FALSE(desktop.saveDialogs[0].overwritePrompt);
    EXPECT_FALSE(desktop.saveDialogs[0].createPrompt);
    EXPECT_TRUE(desktop.saveDialogs[1].overwritePrompt);
    EXPECT_TRUE(desktop.saveDialogs[1].createPrompt);
}

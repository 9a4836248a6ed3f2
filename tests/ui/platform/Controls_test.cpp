#include "Hand.h"
#include "tests/support/EditorTest.h"

#include <QApplication>
#include <QMouseEvent>

using namespace platform;

// Rules of the platform's controls that the editor's windows do not bring out in a scenario.

namespace {

class Panel : public Form {
public:
    static constexpr const char* Name = "Panel";
    Panel() : Form(QString::fromLatin1(Name)) {
        Frame1 = new Frame(this, "Frame1");
        Frame1->Move(0, 0, 3000, 3000);
        Command1 = new CommandButton(Frame1, "Command1");
        Command1->Move(300, 300, 1200, 450);
        Grid1 = new Grid(this, "Grid1");
        Grid1->Move(3300, 0, 3000, 3000);
        List1 = new ListBox(this, "List1");
        List1->Move(6400, 0, 1500, 1500);
        List1->Click = [this] { ++listClicks; };
        Frame1->MouseMove = [this](int, int, float, float) { reached << "Frame1"; };
        Command1->MouseMove = [this](int, int, float, float) { reached << "Command1"; };
    }
    void Form_MouseMove(int, int, float, float) override { reached << "Form"; }
    Frame* Frame1;
    CommandButton* Command1;
    Grid* Grid1;
    ListBox* List1;
    int listClicks = 0;
    QStringList reached;
};

class ControlsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Panel>();
    }
};

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
    // A cell made after the column was aligned takes the column's alignment.
    g.setTextMatrix(0, 1, "c");
    EXPECT_TRUE(alignmentOf(0) & Qt::AlignHCenter);
}

TEST_F(ControlsTest, PictureBoxShowsTheEmbeddedPictureItNames) {
    auto* picture = new PictureBox(&window<Panel>(), "Picture1");
    picture->setPicture(":/images/splash.png");
    EXPECT_EQ(picture->pixmap().size(), QSize(400, 240));
    picture->setPicture(":/images/logo.png");
    EXPECT_EQ(picture->pixmap().size(), QSize(100, 48));
}

TEST_F(ControlsTest, GridKeepsCellsByPositionAndItsCurrentRowOnAFixedRowClick) {
    Panel& p = window<Panel>();
    Grid& g = *p.Grid1;
    g.setCols(3);
    g.setRows(4);
    g.setRowHeight(-1, 280);
    for (int r = 0; r < 4; ++r) {
        g.setTextMatrix(r, 0, QString::number(r));
    }
    g.setRows(3); // the last row goes
    g.setRows(6); // empty rows come at the end, as high as the others in whole pixels
    EXPECT_EQ(g.TextMatrix(2, 0), "2");
    EXPECT_EQ(g.TextMatrix(3, 0), "");
    EXPECT_EQ(g.RowHeight(5), 270); // 280 twips are 18 pixels

    p.Show();
    runner::Hand hand;
    for (const auto& [row, col] : {std::pair{2, 1}, std::pair{0, 2}}) {
        QWidget* shownIn = nullptr;
        const QPointF at = runner::cellPoint(g, row, col, shownIn);
        hand.click(shownIn, at);
    }
    EXPECT_EQ(g.Row(), 2);
    EXPECT_EQ(g.Col(), 2);
}

// A move over a control raises that control's rule only; its frame and the window hear of it
// only when the pointer is over their own free area. Otherwise their rules would put back the
// resting colours that the control's rule has just set.
TEST_F(ControlsTest, AMoveReachesOnlyTheControlUnderThePointer) {
    Panel& p = window<Panel>();
    p.Show();
    for (QWidget* widget : std::initializer_list<QWidget*>{p.Command1, p.Frame1, &p}) {
        const QPointF at(2, 2);
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    EXPECT_EQ(p.reached.join(' '), "Command1 Frame1 Form");
}

} // namespace

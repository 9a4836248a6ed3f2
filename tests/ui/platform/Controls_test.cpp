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
        Frame1->MouseMove = [this](int, int, float, float) { reached << "Frame1"; };
        Command1->MouseMove = [this](int, int, float, float) { reached << "Command1"; };
    }
    void Form_MouseMove(int, int, float, float) override { reached << "Form"; }
    Frame* Frame1;
    CommandButton* Command1;
    Grid* Grid1;
    QStringList reached;
};

class ControlsTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Panel>();
    }
};

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
    g.userClickCell(2, 1);
    g.userClickCell(0, 2);
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

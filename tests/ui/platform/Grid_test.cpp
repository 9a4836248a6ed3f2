#include "Hand.h"
#include "tests/support/EditorTest.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>

using namespace platform;

// Rules of the grid that no window of the editor brings out in a scenario: fixed columns, a
// current cell with the focus, the keyboard, the rows' own heights and Click on a border.

namespace {

const QColor FixedColour{255, 192, 128};
const QColor Highlight{255, 255, 192};
const QColor Red{255, 0, 0};

class Sheet : public Form {
public:
    static constexpr const char* Name = "Sheet";
    Sheet() : Form(QString::fromLatin1(Name)) {
        setClientSize(6000, 4000);
        Grid1 = new Grid(this, "Grid1");
        Grid1->Move(0, 0, 3000, 1500);
        Grid1->setRows(20);
        Grid1->setCols(8);
        Grid1->setBackColorFixed(FixedColour);
        for (int c = 0; c < Grid1->Cols(); ++c) {
            Grid1->setColWidth(c, 600);
        }
        Grid1->Click = [this] { ++clicks; };
    }
    Grid* Grid1;
    int clicks = 0;
};

class GridTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        windows().add<Sheet>();
        window<Sheet>().Show();
    }
    Sheet& sheet() { return window<Sheet>(); }
    Grid& grid() { return *sheet().Grid1; }
    // The colour the grid shows at a point of its viewport, drawn whole as on the screen.
    QColor shownAt(QPoint point) { return grid().viewport()->grab().toImage().pixelColor(point); }
    void clickCell(int row, int col) {
        QWidget* shownIn = nullptr;
        const QPointF at = runner::cellPoint(grid(), row, col, shownIn);
        hand.click(shownIn, at);
    }
    runner::Hand hand;
};

// Scrolled to the far corner, fixed columns still stand at the left in their colour, beside and
// under fixed rows; a click on a fixed cell raises Click without making its row current, and a
// cell brought back from under them is the one clicked.
TEST_F(GridTest, FixedColumnsStayInViewAndTakeTheirOwnClicks) {
    struct Case {
        int fixedRows;
        int fixedCols;
    };
    for (const Case& c : {Case{0, 1}, Case{2, 1}}) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(c.fixedRows).arg(c.fixedCols).toStdString());
        Grid& g = grid();
        g.setFixedRows(c.fixedRows);
        g.setFixedCols(c.fixedCols);
        g.setRow(5);
        g.setCol(5);
        g.verticalScrollBar()->setValue(g.verticalScrollBar()->maximum());
        g.horizontalScrollBar()->setValue(g.horizontalScrollBar()->maximum());
        ASSERT_GT(g.verticalScrollBar()->value(), 0);
        const int rowPx = g.rowHeight(0);
        const QColor white(Qt::white);
        const QPoint topBand(g.columnWidth(0) + 5, rowPx / 2);
        const QPoint leftBand(5, 3 * rowPx + rowPx / 2);
        EXPECT_EQ(shownAt(topBand), c.fixedRows > 0 ? FixedColour : white);
        EXPECT_EQ(shownAt(leftBand), FixedColour);
        EXPECT_EQ(shownAt(QPoint(5, rowPx / 2)), FixedColour);

        const int clicksBefore = sheet().clicks;
        clickCell(0, 0);
        EXPECT_EQ(sheet().clicks, clicksBefore + 1);
        EXPECT_EQ(g.Row(), c.fixedRows > 0 ? 5 : 0);
        const int firstFree = c.fixedRows;
        clickCell(firstFree, 7);
        EXPECT_EQ(g.Row(), firstFree);
        clickCell(firstFree + 1, c.fixedCols);
        EXPECT_EQ(g.Row(), firstFree + 1);
        EXPECT_EQ(g.Col(), c.fixedCols);
    }
}

// The current cell of a focused grid, in a row of its own colours, shows those colours and the
// dots of the focus mark: no selection colour over the row, no frame of the toolkit's own.
TEST_F(GridTest, ACurrentCellWithTheFocusShowsOnlyItsOwnColours) {
    Grid& g = grid();
    g.setFixedCols(0);
    g.setTextMatrix(1, 0, QStringLiteral("WWWW"));
    for (int c = 0; c < 2; ++c) {
        g.setCellBackColorAt(1, c, Highlight);
        g.setCellForeColorAt(1, c, Red);
    }
    g.setRow(1);
    g.setCol(0);
    g.SetFocus();
    settle();
    const QRect named = g.visualRect(g.model()->index(1, 0));
    const QRect plain = g.visualRect(g.model()->index(1, 2));
    const QImage shown = g.viewport()->grab().toImage();
    const QRect mark = named.adjusted(1, 1, -2, -2);
    EXPECT_EQ(shown.pixelColor(mark.topLeft()), QColor(Qt::black));
    bool redText = false;
    for (int y = named.top(); y <= named.bottom(); ++y) {
        for (int x = named.left(); x <= named.right(); ++x) {
            if (x == mark.left() || x == mark.right() || y == mark.top() || y == mark.bottom()) {
                continue; // the dots of the mark
            }
            const QColor p = shown.pixelColor(x, y);
            // Only yellow, red and their blends: the blue of red and yellow is 0 or 192 between.
            EXPECT_TRUE(p.red() >= 200 && p.blue() <= Highlight.blue() && p.green() >= p.blue())
                << x << "," << y << " " << p.name().toStdString();
            redText = redText || (p.green() < 100 && p.blue() < 100);
        }
    }
    EXPECT_TRUE(redText);
    EXPECT_EQ(shown.pixelColor(named.topLeft()), Highlight);
    for (const QPoint corner : {plain.topLeft(), plain.bottomRight(), plain.center()}) {
        EXPECT_EQ(shown.pixelColor(corner), QColor(Qt::white));
    }
}

// Focused from the program (or the keyboard), the grid marks its current cell with dots inside
// its edges, and the whole inside while no cell of the table is current; moved on, the mark
// follows.
TEST_F(GridTest, TheFocusMarkStandsInsideTheCurrentCell) {
    Grid& g = grid();
    g.setFixedCols(0);
    g.SetFocus();
    settle();
    const QColor dot(Qt::black);
    EXPECT_EQ(shownAt(QPoint(1, 1)), dot);
    g.setRow(2);
    g.setCol(1);
    settle();
    const QRect cell = g.visualRect(g.model()->index(2, 1));
    const QPoint inside = cell.topLeft() + QPoint(1, 1);
    EXPECT_EQ(shownAt(inside), dot);
    EXPECT_NE(shownAt(QPoint(1, 1)), dot);
    g.setRow(3);
    settle();
    EXPECT_NE(shownAt(inside), dot);
    EXPECT_EQ(shownAt(inside + QPoint(0, g.rowHeight(2))), dot);
}

// Nothing is ever selected, yet the arrow keys move the current cell, never onto a fixed row.
TEST_F(GridTest, TheArrowKeysMoveTheCurrentCellOutsideTheFixedRows) {
    Grid& g = grid();
    g.setFixedCols(0);
    g.setRow(2);
    g.setCol(3);
    const auto press = [&g](Qt::Key key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&g, &event);
    };
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    EXPECT_EQ(g.Row(), 3);
    EXPECT_EQ(g.Col(), 4);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(g.Row(), 1);
    EXPECT_EQ(sheet().clicks, 0);
}

// Rows the program has given no height fit the text, however they came; once it sets the height
// of every row, rows added later take that height.
TEST_F(GridTest, RowsFitTheirTextUntilTheProgramSetsEveryRowsHeight) {
    Grid& g = grid();
    const int text = QFontMetrics(g.font()).height();
    const int fresh = g.rowHeight(0);
    EXPECT_GE(fresh, text);
    EXPECT_LE(fresh, text + 6);
    g.setRows(25);
    g.AddItem(QStringLiteral("a\tb"), 3);
    for (const int row : {3, 21, 24}) {
        EXPECT_EQ(g.rowHeight(row), fresh) << row;
    }
    g.setRowHeight(-1, 450);
    g.setRows(30);
    g.AddItem(QStringLiteral("a"));
    for (const int row : {0, 26, 30}) {
        EXPECT_EQ(g.RowHeight(row), 450) << row;
    }
}

// Where resizing is allowed, a press on a column's border in the fixed row takes the border: a
// drag resizes the column, and neither a drag nor a press let go where it was raises Click or
// moves the current row. Elsewhere the same press is a press on a cell.
TEST_F(GridTest, APressOnAColumnBorderInTheFixedRowResizesInsteadOfClicking) {
    struct Case {
        bool allowed;
        int row;
        int moveBy;
        int widthAfter;
        int clicks;
        int rowAfter;
    };
    for (const Case& c : {Case{true, 0, -10, 30, 0, 4}, Case{true, 0, 0, 40, 0, 4},
                          Case{false, 0, 0, 40, 1, 4}, Case{true, 2, 0, 40, 1, 2}}) {
        SCOPED_TRACE(
            QStringLiteral("%1 %2 %3").arg(c.allowed).arg(c.row).arg(c.moveBy).toStdString());
        Grid& g = grid();
        g.setColWidth(1, 600);
        g.setAllowUserResizing(c.allowed);
        g.setRow(4);
        sheet().clicks = 0;
        const QRect cell = g.visualRect(g.model()->index(c.row, 1));
        const QPointF border(cell.right() + 1, cell.center().y());
        hand.press(g.viewport(), border, Qt::LeftButton);
        hand.moveTo(g.viewport(), border + QPointF(c.moveBy, 0));
        hand.release(g.viewport(), border + QPointF(c.moveBy, 0), Qt::LeftButton);
        EXPECT_EQ(g.columnWidth(1), c.widthAfter);
        EXPECT_EQ(sheet().clicks, c.clicks);
        EXPECT_EQ(g.Row(), c.rowAfter);
    }
}

} // namespace

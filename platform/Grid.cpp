#include "platform/Grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <cstdlib>
#include <functional>

namespace platform {
namespace {

// Room above and below a cell's text in a row of the grid's default height.
constexpr int CellTextMargin = 2;
// How near a column's border the pointer must be to take it.
constexpr int BorderGrip = 2;

// The cell's own colours are all that is drawn: no selection, focus frame or hover of the style.
class PlainCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem plain(option);
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus | QStyle::State_MouseOver);
        QStyledItemDelegate::paint(painter, plain, index);
    }
};

// Sections that stack from 0 whatever the scroll, as the fixed rows and columns do: where
// section `index` starts, and which of the first `count` sections holds a position.
int stackedStart(int index, const std::function<int(int)>& size) {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        start += size(i);
    }
    return start;
}

int stackedAt(int position, int count, const std::function<int(int)>& size) {
    int end = 0;
    for (int i = 0; i < count; ++i) {
        end += size(i);
        if (position < end) {
            return i;
        }
    }
    return -1;
}

// Moves a scroll bar back a step at a time while what it shows lies under the fixed band.
void uncover(QScrollBar& bar, const std::function<bool()>& covered) {
    while (covered() && bar.value() > bar.minimum()) {
        bar.setValue(bar.value() - 1);
    }
}

} // namespace

Grid::Grid(QWidget* parent, const QString& name, int index)
    : ControlWidget<QTableWidget>(parent, name, index, true) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setItemDelegate(new PlainCellDelegate(this));
    // A row fits its text, as a grid's rows do before the program sets their heights.
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 2 * CellTextMargin);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The current cell moves, but nothing is ever selected: the cells show their own colours.
    setSelectionMode(QAbstractItemView::NoSelection);
    // Narrow columns show as much of their text as fits, as a grid of cells does.
    setTextElideMode(Qt::ElideNone);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    viewport()->setMouseTracking(true);
    setTabKeyNavigation(false);
    setRowCount(2);
    setColumnCount(2);
    QPalette palette = viewport()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    viewport()->setPalette(palette);
    QObject::connect(this, &QTableWidget::cellClicked, this, [this](int row, int col) {
        if (row >= fixedRows_) {
            setRow(row);
        }
        if (col >= fixedCols_) {
            setCol(col);
        }
        if (Click) {
            Click();
        }
    });
    styleAll();
}

void Grid::setRows(int rows) {
    const int before = rowCount();
    setRowCount(std::max(rows, 0));
    const StyleInBulk bulk(*this);
    for (int r = before; r < rows; ++r) {
        if (defaultRowHeight_ > 0) {
            QTableWidget::setRowHeight(r, toPixels(defaultRowHeight_));
        }
        for (int c = 0; c < columnCount(); ++c) {
            restyle(r, c);
        }
    }
    row_ = std::min(row_, std::max(rows - 1, 0));
    rowSel_ = std::min(rowSel_, std::max(rows - 1, 0));
}

void Grid::setCols(int cols) {
    const int before = columnCount();
    setColumnCount(std::max(cols, 0));
    colAlignment_.resize(static_cast<size_t>(std::max(cols, 0)), Alignment::Left);
    const StyleInBulk bulk(*this);
    for (int c = before; c < cols; ++c) {
        for (int r = 0; r < rowCount(); ++r) {
            restyle(r, c);
        }
    }
    col_ = std::min(col_, std::max(cols - 1, 0));
}

void Grid::setFixedRows(int rows) {
    const int before = fixedRows_;
    fixedRows_ = rows;
    unfixCells(before, fixedCols_);
    styleAll();
}

void Grid::setFixedCols(int cols) {
    const int before = fixedCols_;
    fixedCols_ = cols;
    unfixCells(fixedRows_, before);
    styleAll();
}

// Cells that were fixed and no longer are lose the fixed colour.
void Grid::unfixCells(int fixedRowsBefore, int fixedColsBefore) {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            const bool was = r < fixedRowsBefore || c < fixedColsBefore;
            const bool is = r < fixedRows_ || c < fixedCols_;
            if (was && !is) {
                if (QTableWidgetItem* it = item(r, c)) {
                    it->setBackground(QBrush());
                }
            }
        }
    }
}

QTableWidgetItem* Grid::cell(int row, int col) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) {
        return nullptr;
    }
    if (!item(row, col)) {
        styleCell(row, col);
    }
    return item(row, col);
}

// A new cell is styled before the table holds it, so that it is announced once.
void Grid::styleCell(int row, int col) {
    QTableWidgetItem* it = item(row, col);
    const bool made = it == nullptr;
    if (made) {
        it = new QTableWidgetItem(); // owned by the table once set
    }
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    if (fixed) {
        it->setBackground(fixedColor_);
    } else if (made || it->background().style() == Qt::NoBrush) {
        // Cells are white; the viewport's own colour shows only beyond the last row and column.
        it->setBackground(QColor(Qt::white));
    }
    auto found = cellAlignment_.find({row, col});
    const Alignment alignment = found != cellAlignment_.end() ? found->second
                                : static_cast<size_t>(col) < colAlignment_.size()
                                    ? colAlignment_[static_cast<size_t>(col)]
                                    : Alignment::Left;
    it->setTextAlignment(qtAlignment(alignment));
    if (made) {
        setItem(row, col, it);
    }
}

// A cell that holds nothing of its own is made only when it is first written: a grid of many
// empty rows is cheap to make, and paints white all the same.
void Grid::restyle(int row, int col) {
    if (item(row, col) || row < fixedRows_ || col < fixedCols_) {
        styleCell(row, col);
    }
}

void Grid::styleAll() {
    const StyleInBulk bulk(*this);
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            restyle(r, c);
        }
    }
}

// The view hears of every styled cell and repaints each; styling many at once, it repaints once
// when they are done. Nothing but the picture depends on those notices.
Grid::StyleInBulk::StyleInBulk(Grid& grid)
    : grid_(grid), blocked_(grid.model()->blockSignals(true)) {}

Grid::StyleInBulk::~StyleInBulk() {
    grid_.model()->blockSignals(blocked_);
    grid_.viewport()->update();
}

QString Grid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* it = item(row, col);
    return it ? it->text() : QString();
}

void Grid::setTextMatrix(int row, int col, const QString& text) {
    if (text.isEmpty() && !item(row, col)) {
        return; // an empty cell stays unmade
    }
    QTableWidgetItem* it = cell(row, col);
    if (!it) {
        return;
    }
    if (updatesEnabled()) {
        it->setText(text);
        return;
    }
    const QSignalBlocker quiet(model());
    it->setText(text);
}

void Grid::setRedraw(bool on) {
    setUpdatesEnabled(on);
    if (on) {
        viewport()->update();
    }
}

void Grid::setRow(int row) {
    if (row < 0 || row >= rowCount()) {
        return;
    }
    row_ = row;
    rowSel_ = row;
    followCurrentCell();
}

void Grid::setCol(int col) {
    if (col >= 0 && col < columnCount()) {
        col_ = col;
        followCurrentCell();
    }
}

// The arrow keys move on from the program's current cell, which is brought into view. A fixed
// cell is never current for them.
void Grid::followCurrentCell() {
    if (row_ >= fixedRows_ && col_ >= fixedCols_) {
        setCurrentCell(row_, col_);
    }
    if (showsFocusMark()) {
        repaintFocusMark();
    }
}

void Grid::setRowSel(int row) {
    if (row >= 0 && row < rowCount()) {
        rowSel_ = row;
    }
}

int Grid::ColWidth(int col) const {
    return toTwips(columnWidth(col));
}

void Grid::setColWidth(int col, int twips) {
    setColumnWidth(col, toPixels(twips));
}

int Grid::RowHeight(int row) const {
    return toTwips(rowHeight(row));
}

void Grid::setRowHeight(int row, int twips) {
    if (row < 0) {
        defaultRowHeight_ = twips;
        for (int r = 0; r < rowCount(); ++r) {
            QTableWidget::setRowHeight(r, toPixels(twips));
        }
        return;
    }
    QTableWidget::setRowHeight(row, toPixels(twips));
}

// Only the cells whose alignment changes are restyled: a page that lays its grid out again on
// every activation then touches a few cells, not every row.
void Grid::setColAlignment(int col, Alignment alignment) {
    if (col < 0 || col >= columnCount()) {
        return;
    }
    colAlignment_.resize(static_cast<size_t>(columnCount()), Alignment::Left);
    const bool columnChanges = colAlignment_[static_cast<size_t>(col)] != alignment;
    colAlignment_[static_cast<size_t>(col)] = alignment;
    std::vector<int> ownAlignmentDropped;
    for (auto it = cellAlignment_.begin(); it != cellAlignment_.end();) {
        if (it->first.second != col) {
            ++it;
            continue;
        }
        if (it->second != alignment) {
            ownAlignmentDropped.push_back(it->first.first);
        }
        it = cellAlignment_.erase(it);
    }
    const StyleInBulk bulk(*this);
    if (columnChanges) {
        for (int r = 0; r < rowCount(); ++r) {
            restyle(r, col);
        }
        return;
    }
    for (const int r : ownAlignmentDropped) {
        restyle(r, col);
    }
}

void Grid::setCellAlignment(Alignment alignment) {
    cellAlignment_[{row_, col_}] = alignment;
    styleCell(row_, col_);
}

QColor Grid::CellBackColor() const {
    return cellBackColorAt(row_, col_);
}

QColor Grid::cellBackColorAt(int row, int col) const {
    if (const QTableWidgetItem* it = item(row, col)) {
        return it->background().color();
    }
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) {
        return QColor();
    }
    return row < fixedRows_ || col < fixedCols_ ? fixedColor_ : QColor(Qt::white);
}

void Grid::setCellBackColor(const QColor& color) {
    setCellBackColorAt(row_, col_, color);
}

void Grid::setCellBackColorAt(int row, int col, const QColor& color) {
    if (QTableWidgetItem* it = cell(row, col)) {
        it->setBackground(color);
    }
}

void Grid::setCellForeColorAt(int row, int col, const QColor& color) {
    if (QTableWidgetItem* it = cell(row, col)) {
        it->setForeground(color);
    }
}

QColor Grid::CellForeColor() const {
    const QTableWidgetItem* it = item(row_, col_);
    return it ? it->foreground().color() : QColor(Qt::black);
}

void Grid::setCellForeColor(const QColor& color) {
    setCellForeColorAt(row_, col_, color);
}

void Grid::setBackColorFixed(const QColor& color) {
    fixedColor_ = color;
    styleAll();
}

void Grid::setBackColorBkg(const QColor& color) {
    backgroundColor_ = color;
    viewport()->update();
}

// Cells are white; the grid's background colour shows only beyond its last row and column.
void Grid::paintEvent(QPaintEvent* event) {
    ControlWidget<QTableWidget>::paintEvent(event);
    QWidget* area = viewport();
    const int right = columnCount() == 0 ? 0
                                         : columnViewportPosition(columnCount() - 1) +
                                               columnWidth(columnCount() - 1);
    const int bottom =
        rowCount() == 0 ? 0 : rowViewportPosition(rowCount() - 1) + rowHeight(rowCount() - 1);
    QPainter painter(area);
    paintFixedCells(painter);
    painter.fillRect(QRect(right, 0, area->width() - right, area->height()), backgroundColor_);
    painter.fillRect(QRect(0, bottom, right, area->height() - bottom), backgroundColor_);
    if (showsFocusMark()) {
        paintFocusMark(painter);
    }
}

// The mark stands inside the current cell, where it shows beneath the fixed rows and columns;
// while no cell of the table is current, round the grid's whole inside.
void Grid::paintFocusMark(QPainter& painter) {
    QRect around = viewport()->rect();
    if (row_ >= fixedRows_ && col_ >= fixedCols_) {
        const QRect shown(fixedWidth(), fixedHeight(), viewport()->width() - fixedWidth(),
                          viewport()->height() - fixedHeight());
        around = visualRect(model()->index(row_, col_)).intersected(shown);
        if (around.isEmpty()) {
            return;
        }
    }
    drawFocusMark(painter, around.adjusted(1, 1, -2, -2), Qt::black);
}

void Grid::repaintFocusMark() {
    viewport()->update();
}

// The view draws every cell where the scroll puts it; the fixed cells are drawn again over them
// where they stay: the fixed columns of the rows in view first, then the fixed rows, and their
// common corner last, on top.
void Grid::paintFixedCells(QPainter& painter) {
    if (shownFixedRows() == 0 && shownFixedCols() == 0) {
        return;
    }
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const QColor gridColor = QColor::fromRgba(
        static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
    if (shownFixedCols() > 0) {
        const int first = std::max(rowAt(fixedHeight()), shownFixedRows());
        const int shownLast = rowAt(viewport()->height() - 1);
        const int last = shownLast < 0 ? rowCount() - 1 : shownLast;
        for (int r = first; r <= last; ++r) {
            for (int c = 0; c < shownFixedCols(); ++c) {
                paintFixedCell(painter, r, c, gridColor);
            }
        }
    }
    for (int r = 0; r < shownFixedRows(); ++r) {
        for (int c = shownFixedCols(); c < columnCount(); ++c) {
            paintFixedCell(painter, r, c, gridColor);
        }
    }
    for (int r = 0; r < shownFixedRows(); ++r) {
        for (int c = 0; c < shownFixedCols(); ++c) {
            paintFixedCell(painter, r, c, gridColor);
        }
    }
}

// As the view draws a cell: its grid lines on its right and bottom edge, its colour, then its
// text by the cell painter.
void Grid::paintFixedCell(QPainter& painter, int row, int col, const QColor& gridColor) {
    const QModelIndex index = model()->index(row, col);
    const QRect cell = visualRect(index);
    if (!cell.isValid() || !cell.intersects(viewport()->rect())) {
        return;
    }
    const int line = showGrid() ? 1 : 0;
    painter.fillRect(cell.adjusted(0, 0, line, line), gridColor);
    painter.fillRect(cell, cellBackColorAt(row, col));
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = cell;
    itemDelegateForIndex(index)->paint(&painter, option, index);
}

std::function<int(int)> Grid::rowHeights() const {
    return [this](int r) { return rowHeight(r); };
}

std::function<int(int)> Grid::columnWidths() const {
    return [this](int c) { return columnWidth(c); };
}

int Grid::fixedHeight() const {
    return stackedStart(shownFixedRows(), rowHeights());
}

int Grid::fixedWidth() const {
    return stackedStart(shownFixedCols(), columnWidths());
}

QRect Grid::visualRect(const QModelIndex& index) const {
    QRect rect = ControlWidget<QTableWidget>::visualRect(index);
    if (rect.isNull()) {
        return rect;
    }
    if (index.row() < fixedRows_) {
        rect.moveTop(stackedStart(index.row(), rowHeights()));
    }
    if (index.column() < fixedCols_) {
        rect.moveLeft(stackedStart(index.column(), columnWidths()));
    }
    return rect;
}

QModelIndex Grid::indexAt(const QPoint& point) const {
    const int row = point.y() < fixedHeight() ? stackedAt(point.y(), shownFixedRows(), rowHeights())
                                              : rowAt(point.y());
    const int col = point.x() < fixedWidth()
                        ? stackedAt(point.x(), shownFixedCols(), columnWidths())
                        : columnAt(point.x());
    return row < 0 || col < 0 ? QModelIndex() : model()->index(row, col);
}

// A fixed row is always in view, so reaching a cell of it scrolls only sideways; another cell
// is brought out from under the fixed band.
void Grid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    QScrollBar& vertical = *verticalScrollBar();
    QScrollBar& horizontal = *horizontalScrollBar();
    const int verticalBefore = vertical.value();
    const int horizontalBefore = horizontal.value();
    ControlWidget<QTableWidget>::scrollTo(index, hint);
    if (!index.isValid()) {
        return;
    }
    if (index.row() < fixedRows_) {
        vertical.setValue(verticalBefore);
    } else {
        uncover(vertical, [&] { return visualRect(index).top() < fixedHeight(); });
    }
    if (index.column() < fixedCols_) {
        horizontal.setValue(horizontalBefore);
    } else {
        uncover(horizontal, [&] { return visualRect(index).left() < fixedWidth(); });
    }
}

// The view moves what it has drawn along; the fixed cells must not move with it.
void Grid::scrollContentsBy(int dx, int dy) {
    ControlWidget<QTableWidget>::scrollContentsBy(dx, dy);
    if (shownFixedRows() > 0 || shownFixedCols() > 0) {
        viewport()->update();
    }
}

// The border of a column lies on its last pixel; a column of no width cannot be taken.
std::optional<int> Grid::columnBorderAt(QPoint point) const {
    if (!userResizing_ || point.y() < 0 || point.y() >= fixedHeight()) {
        return std::nullopt;
    }
    std::optional<int> nearest;
    int nearestDistance = BorderGrip + 1;
    for (int c = 0; c < columnCount(); ++c) {
        const QRect cell = visualRect(model()->index(0, c));
        if (columnWidth(c) == 0 || cell.isNull()) {
            continue;
        }
        const int distance = std::abs(point.x() - cell.right() - 1);
        if (distance < nearestDistance) {
            nearest = c;
            nearestDistance = distance;
        }
    }
    return nearest;
}

void Grid::mousePressEvent(QMouseEvent* event) {
    const std::optional<int> border = event->button() == Qt::LeftButton
                                          ? columnBorderAt(event->position().toPoint())
                                          : std::nullopt;
    if (!border) {
        ControlWidget<QTableWidget>::mousePressEvent(event);
        return;
    }
    event->accept();
    if (handleMousePress(event)) {
        columnDrag_ = ColumnDrag{*border, event->position().toPoint().x(), columnWidth(*border)};
    }
}

void Grid::mouseMoveEvent(QMouseEvent* event) {
    if (!columnDrag_) {
        if (columnBorderAt(event->position().toPoint())) {
            viewport()->setCursor(Qt::SplitHCursor);
        } else {
            viewport()->unsetCursor();
        }
        ControlWidget<QTableWidget>::mouseMoveEvent(event);
        return;
    }
    handleMouseMove(event);
    const int moved = event->position().toPoint().x() - columnDrag_->startX;
    setColumnWidth(columnDrag_->col, std::max(columnDrag_->startWidth + moved, 0));
    event->accept();
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
    if (!columnDrag_ || event->button() != Qt::LeftButton) {
        ControlWidget<QTableWidget>::mouseReleaseEvent(event);
        return;
    }
    columnDrag_.reset();
    handleMouseRelease(event);
    event->accept();
}

// A quick second press on a border takes it again, as the first did.
void Grid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && columnBorderAt(event->position().toPoint())) {
        mousePressEvent(event);
        return;
    }
    ControlWidget<QTableWidget>::mouseDoubleClickEvent(event);
}

void Grid::AddItem(const QString& tabSeparated, int index) {
    const int at = index < 0 || index > rowCount() ? rowCount() : index;
    insertRow(at);
    if (defaultRowHeight_ > 0) {
        QTableWidget::setRowHeight(at, toPixels(defaultRowHeight_));
    }
    const QStringList cells = tabSeparated.split('\t');
    const StyleInBulk bulk(*this);
    for (int c = 0; c < columnCount(); ++c) {
        styleCell(at, c);
        if (c < cells.size()) {
            item(at, c)->setText(cells[c]);
        }
    }
}

void Grid::RemoveItem(int index) {
    if (index < 0 || index >= rowCount()) {
        return;
    }
    removeRow(index);
    row_ = std::min(row_, std::max(rowCount() - 1, 0));
    rowSel_ = std::min(rowSel_, std::max(rowCount() - 1, 0));
}

void Grid::Clear() {
    for (int r = 0; r < rowCount(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            if (QTableWidgetItem* it = item(r, c)) {
                it->setText(QString());
            }
        }
    }
}

void Grid::keyPressEvent(QKeyEvent* event) {
    ControlWidget<QTableWidget>::keyPressEvent(event);
    const int row = currentRow(), col = currentColumn();
    if (row >= fixedRows_ && col >= fixedCols_) {
        row_ = row;
        rowSel_ = row;
        col_ = col;
    } else if (row >= 0 && col >= 0) {
        // The fixed cells are never current.
        setCurrentCell(row_, col_);
    }
}

} // namespace platform

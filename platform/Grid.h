#pragma once

#include "platform/Controls.h"

#include <QTableWidget>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace platform {

// A grid of text cells with fixed (header) rows and columns, a current cell
// and per-cell colours and alignment. The fixed rows stay at the top and the fixed columns at the
// left while the other cells scroll under them; only the colours the program gives are drawn,
// with no selection or focus mark of the toolkit's own.
class Grid : public ControlWidget<QTableWidget> {
public:
    Grid(QWidget* parent, const QString& name, int index = -1);

    int Rows() const { return rowCount(); }
    // More rows are added empty at the end; fewer drop the last rows.
    void setRows(int rows);
    int Cols() const { return columnCount(); }
    void setCols(int cols);
    int FixedRows() const { return fixedRows_; }
    void setFixedRows(int rows);
    int FixedCols() const { return fixedCols_; }
    void setFixedCols(int cols);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    int Row() const { return row_; }
    void setRow(int row);
    int Col() const { return col_; }
    void setCol(int col);
    int RowSel() const { return rowSel_; }
    void setRowSel(int row);

    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int RowHeight(int row) const;
    // row -1 sets every row, and the height of rows added later.
    void setRowHeight(int row, int twips);
    void setColAlignment(int col, Alignment alignment);
    // The alignment of the current cell.
    void setCellAlignment(Alignment alignment);
    QColor CellBackColor() const;
    // The back colour of any cell, the current cell left where it is.
    QColor cellBackColorAt(int row, int col) const;
    void setCellBackColorAt(int row, int col, const QColor& color);
    void setCellBackColor(const QColor& color);
    // The text colour of any cell, the current cell left where it is.
    void setCellForeColorAt(int row, int col, const QColor& color);
    QColor CellForeColor() const;
    void setCellForeColor(const QColor& color);
    QColor BackColorFixed() const { return fixedColor_; }
    void setBackColorFixed(const QColor& color);
    QColor BackColorBkg() const { return backgroundColor_; }
    void setBackColorBkg(const QColor& color);
    // The user may drag a column's border in the fixed rows to resize it.
    void setAllowUserResizing(bool allow) { userResizing_ = allow; }

    // A tab-separated row inserted at index (-1: at the end).
    void AddItem(const QString& tabSeparated, int index = -1);
    void RemoveItem(int index);
    // Clears every cell's text; the counts stay.
    void Clear();
    // While redraw is off, changed cells are neither painted nor announced to the view one by
    // one: the grid is painted whole once redraw is on again.
    void setRedraw(bool on);

    // Fixed cells are drawn, hit and reached where they stay in view.
    QRect visualRect(const QModelIndex& index) const override;
    QModelIndex indexAt(const QPoint& point) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

protected:
    // The arrow keys move the current cell as a click would, but raise no Click; Tab leaves the
    // grid for the next control.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void repaintFocusMark() override;
    void scrollContentsBy(int dx, int dy) override;
    // A press on a column's border in the fixed rows starts a resize, where that is allowed.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    class StyleInBulk {
    public:
        explicit StyleInBulk(Grid& grid);
        ~StyleInBulk();
        StyleInBulk(const StyleInBulk&) = delete;
        StyleInBulk& operator=(const StyleInBulk&) = delete;

    private:
        Grid& grid_;
        bool blocked_;
    };
    QTableWidgetItem* cell(int row, int col);
    void styleCell(int row, int col);
    void restyle(int row, int col);
    void styleAll();
    void unfixCells(int fixedRowsBefore, int fixedColsBefore);
    void followCurrentCell();
    // The fixed rows and columns that exist, and the band they take at the top and the left.
    int shownFixedRows() const { return std::min(fixedRows_, rowCount()); }
    int shownFixedCols() const { return std::min(fixedCols_, columnCount()); }
    std::function<int(int)> rowHeights() const;
    std::function<int(int)> columnWidths() const;
    int fixedHeight() const;
    int fixedWidth() const;
    void paintFixedCells(QPainter& painter);
    void paintFocusMark(QPainter& painter);
    void paintFixedCell(QPainter& painter, int row, int col, const QColor& gridColor);
    std::optional<int> columnBorderAt(QPoint point) const;
    struct ColumnDrag {
        int col;
        int startX;
        int startWidth;
    };
    std::optional<ColumnDrag> columnDrag_;
    bool userResizing_ = false;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    int row_ = 0;
    int col_ = 0;
    int rowSel_ = 0;
    int defaultRowHeight_ = 0;
    QColor fixedColor_{224, 224, 224};
    QColor backgroundColor_{128, 128, 128};
    std::vector<Alignment> colAlignment_;
    std::map<std::pair<int, int>, Alignment> cellAlignment_;
};

} // namespace platform

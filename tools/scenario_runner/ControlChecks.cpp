// Checks of one control, named Window.Control in the word after the check's name.

#include "RunnerText.h"
#include "ScenarioRunner.h"
#include "platform/Controls.h"
#include "platform/Grid.h"

#include <QImage>
#include <optional>

using platform::Control;
using runner::quoted;

namespace {

QString yesNo(bool on) {
    return on ? QStringLiteral("true") : QStringLiteral("false");
}

// The items of a list or combo box; nothing when the control is neither.
std::optional<QStringList> itemsOf(Control& c) {
    QStringList items;
    if (auto* combo = dynamic_cast<platform::ComboBox*>(&c)) {
        for (int i = 0; i < combo->ListCount(); ++i) {
            items << combo->List(i);
        }
    } else if (auto* list = dynamic_cast<platform::ListBox*>(&c)) {
        for (int i = 0; i < list->ListCount(); ++i) {
            items << list->List(i);
        }
    } else {
        return std::nullopt;
    }
    return items;
}

} // namespace

void ScenarioRunner::expectText(const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    QString actual;
    if (auto* t = dynamic_cast<platform::TextBox*>(&c)) {
        actual = t->Text();
    } else if (auto* cb = dynamic_cast<platform::ComboBox*>(&c)) {
        actual = cb->Text();
    } else if (auto* lb = dynamic_cast<platform::ListBox*>(&c)) {
        actual = lb->Text();
    } else if (auto* l = dynamic_cast<platform::Label*>(&c)) {
        actual = l->Caption();
    } else {
        fail(QStringLiteral("%1 has no text").arg(name));
    }
    expectEqual(QStringLiteral("the text"), actual, repeatedText(line, 3));
}

void ScenarioRunner::expectSelection(const Line& line) {
    const auto& box = controlAs<platform::TextBox>(word(line, 2), "text box");
    const QString actual = QStringLiteral("%1 %2").arg(box.SelStart()).arg(box.SelLength());
    expectEqual(QStringLiteral("the selection"), actual, word(line, 3) + ' ' + word(line, 4));
}

void ScenarioRunner::expectEnabled(const Line& line) {
    const Control& c = control(word(line, 2));
    if (c.Enabled() != flag(word(line, 3))) {
        fail(c.Enabled() ? QStringLiteral("it is enabled") : QStringLiteral("it is disabled"));
    }
}

void ScenarioRunner::expectShown(const Line& line) {
    const Control& c = control(word(line, 2));
    if (c.Visible() != flag(word(line, 3))) {
        fail(c.Visible() ? QStringLiteral("it is shown") : QStringLiteral("it is hidden"));
    }
}

void ScenarioRunner::expectValue(const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    QString actual;
    if (auto* o = dynamic_cast<platform::OptionButton*>(&c)) {
        actual = yesNo(o->Value());
    } else if (auto* s = dynamic_cast<platform::HScrollBar*>(&c)) {
        actual = QString::number(s->Value());
    } else {
        fail(QStringLiteral("%1 has no value").arg(name));
    }
    expectEqual(QStringLiteral("the value"), actual, word(line, 3));
}

void ScenarioRunner::expectFocus(const Line& line) {
    Control& c = control(word(line, 2));
    const Control* active = c.form() ? c.form()->ActiveControl() : nullptr;
    if (active != &c) {
        fail(QStringLiteral("the focus is on %1")
                 .arg(active ? active->fullName() : QStringLiteral("nothing")));
    }
}

void ScenarioRunner::expectSameColor(const QColor& actual, const Line& line, int index) {
    if (actual.rgb() != color(line, index).rgb()) {
        fail(QStringLiteral("the colour is %1").arg(runner::describe(actual)));
    }
}

void ScenarioRunner::expectBack(const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    QColor actual;
    if (auto* b = dynamic_cast<platform::CommandButton*>(&c)) {
        actual = b->BackColor();
    } else if (auto* t = dynamic_cast<platform::TextBox*>(&c)) {
        actual = t->BackColor();
    } else if (auto* o = dynamic_cast<platform::OptionButton*>(&c)) {
        actual = o->BackColor();
    } else if (auto* l = dynamic_cast<platform::Label*>(&c)) {
        actual = l->BackColor();
    } else if (auto* p = dynamic_cast<platform::PictureBox*>(&c)) {
        actual = p->BackColor();
    } else {
        fail(QStringLiteral("%1 has no back colour").arg(name));
    }
    expectSameColor(actual, line, 3);
}

void ScenarioRunner::expectFore(const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    QColor actual;
    if (auto* l = dynamic_cast<platform::Label*>(&c)) {
        actual = l->ForeColor();
    } else if (auto* t = dynamic_cast<platform::TextBox*>(&c)) {
        actual = t->ForeColor();
    } else {
        fail(QStringLiteral("%1 has no fore colour").arg(name));
    }
    expectSameColor(actual, line, 3);
}

void ScenarioRunner::expectBorder(const Line& line) {
    expectSameColor(controlAs<platform::Line>(word(line, 2), "line").BorderColor(), line, 3);
}

void ScenarioRunner::expectTooltip(const Line& line) {
    expectEqual(QStringLiteral("the tooltip"), control(word(line, 2)).ToolTipText(), word(line, 3));
}

void ScenarioRunner::expectItems(const Line& line) {
    const QString name = word(line, 2);
    const std::optional<QStringList> items = itemsOf(control(name));
    if (!items) {
        fail(QStringLiteral("%1 is not a list").arg(name));
    }
    if (*items != line.words.mid(3)) {
        QStringList shown;
        for (const QString& item : *items) {
            shown << quoted(item);
        }
        fail(QStringLiteral("the items are %1").arg(shown.join(' ')));
    }
}

void ScenarioRunner::expectIndex(const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    int index = -1;
    if (auto* cb = dynamic_cast<platform::ComboBox*>(&c)) {
        index = cb->ListIndex();
    } else if (auto* lb = dynamic_cast<platform::ListBox*>(&c)) {
        index = lb->ListIndex();
    } else {
        fail(QStringLiteral("%1 is not a list").arg(name));
    }
    expectEqual(QStringLiteral("the index"), QString::number(index), word(line, 3));
}

// ---- Grids ----

void ScenarioRunner::expectRows(const Line& line) {
    const auto& grid = controlAs<platform::Grid>(word(line, 2), "grid");
    expectEqual(QStringLiteral("the row count"), QString::number(grid.Rows()), word(line, 3));
}

void ScenarioRunner::expectCols(const Line& line) {
    const auto& grid = controlAs<platform::Grid>(word(line, 2), "grid");
    expectEqual(QStringLiteral("the column count"), QString::number(grid.Cols()), word(line, 3));
}

const platform::Grid& ScenarioRunner::gridCell(const Line& line, int& row, int& col) {
    const auto& grid = controlAs<platform::Grid>(word(line, 2), "grid");
    row = number(line, 3);
    col = number(line, 4);
    if (row < 0 || col < 0 || row >= grid.Rows() || col >= grid.Cols()) {
        fail(QStringLiteral("the grid has no cell %1 %2").arg(row).arg(col));
    }
    return grid;
}

void ScenarioRunner::expectCell(const Line& line) {
    int row = 0, col = 0;
    const platform::Grid& grid = gridCell(line, row, col);
    expectEqual(QStringLiteral("the cell"), grid.TextMatrix(row, col), word(line, 5));
}

void ScenarioRunner::expectCellBack(const Line& line) {
    int row = 0, col = 0;
    const platform::Grid& grid = gridCell(line, row, col);
    expectSameColor(grid.cellBackColorAt(row, col), line, 5);
}

// What the screen shows at a point: the control (or the window) draws itself as it stands, its
// children included, and the colour of that one pixel is read.
void ScenarioRunner::expectPixel(const Line& line) {
    const QString name = word(line, 2);
    QWidget* drawn = nullptr;
    QPointF at(decimal(line, 3), decimal(line, 4));
    if (name.contains('.')) {
        Control& c = control(name);
        drawn = c.widget();
        at = c.pixelsFromScale(at);
    } else {
        drawn = &loadedWindow(name);
        at = platform::toPixels(at);
    }
    const QPoint pixel = at.toPoint();
    if (!drawn->rect().contains(pixel)) {
        fail(QStringLiteral("the point lies outside %1").arg(name));
    }
    // Drawn whole: a control drawn in part leaves out what lies across the part's edge, such as
    // a grid's lines.
    const QImage shown = drawn->grab().toImage();
    expectSameColor(shown.pixelColor(pixel), line, 5);
}

void ScenarioRunner::expectRow(const Line& line) {
    const auto& grid = controlAs<platform::Grid>(word(line, 2), "grid");
    const int row = number(line, 3);
    if (row < 0 || row >= grid.Rows()) {
        fail(QStringLiteral("the grid has no row %1").arg(row));
    }
    const QStringList expected = line.words.mid(4);
    for (int col = 0; col < expected.size(); ++col) {
        if (grid.TextMatrix(row, col) != expected[col]) {
            fail(QStringLiteral("cell %1 %2 is %3")
                     .arg(row)
                     .arg(col)
                     .arg(quoted(grid.TextMatrix(row, col))));
        }
    }
}

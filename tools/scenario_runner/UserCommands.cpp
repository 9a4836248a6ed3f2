// Acting as the user. The pointer commands go through the hand (Hand.h): the window system's
// own mouse events at a point of the control, so Qt decides the target, the focus and the caret
// as for a real mouse. Keys are the window system's key events where the focus is. Moving the
// focus to type into a box is the user's own focus move, as a Tab or a click on it would be.

#include "ScenarioRunner.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Timer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QStyle>
#include <QtTest/qtestspontaneevent.h>

using platform::Control;
using platform::Form;

const ScenarioRunner::Table& ScenarioRunner::userCommands() {
    static const Table table{
        {"click", &ScenarioRunner::click},     {"focus", &ScenarioRunner::focus},
        {"type", &ScenarioRunner::type},       {"key", &ScenarioRunner::key},
        {"paste", &ScenarioRunner::paste},     {"drop", &ScenarioRunner::drop},
        {"pick", &ScenarioRunner::pick},       {"cell", &ScenarioRunner::clickCell},
        {"scroll", &ScenarioRunner::scroll},   {"drag", &ScenarioRunner::drag},
        {"hover", &ScenarioRunner::pointer},   {"mousedown", &ScenarioRunner::pointer},
        {"mouseup", &ScenarioRunner::pointer}, {"wheel", &ScenarioRunner::wheel},
        {"close", &ScenarioRunner::close},     {"advance", &ScenarioRunner::advance},
        {"move", &ScenarioRunner::moveWindow},
    };
    return table;
}

namespace {

// Keys go where the focus is, as they would from a keyboard, and as the window system's own
// events: the application runs its shortcut and Tab handling on them before the widget.
void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers, text);
        QSpontaneKeyEvent::setSpontaneous(&event);
        QApplication::instance()->notify(target, &event);
    }
}

QWidget* focusedWidget(const Control& typedInto) {
    const Form* form = typedInto.form();
    const Control* active = form ? form->ActiveControl() : nullptr;
    return active ? active->widget() : typedInto.widget();
}

// The position of an item given by its text or by "#" and its index; -1 when there is none.
template <class List> int itemIndex(const List& list, const QString& item) {
    if (item.startsWith('#')) {
        bool ok = false;
        const int index = item.mid(1).toInt(&ok);
        return ok && index >= 0 && index < list.ListCount() ? index : -1;
    }
    for (int i = 0; i < list.ListCount(); ++i) {
        if (list.List(i) == item) {
            return i;
        }
    }
    return -1;
}

Qt::MouseButton mouseButton(const QString& name) {
    if (name == "left") {
        return Qt::LeftButton;
    }
    if (name == "right") {
        return Qt::RightButton;
    }
    return name == "middle" ? Qt::MiddleButton : Qt::NoButton;
}

} // namespace

QPointF ScenarioRunner::pointOn(const Control& c, const QString& name) {
    const std::optional<QPointF> at = runner::reachablePoint(*c.widget());
    if (!at) {
        refuse(QStringLiteral("no point of %1 can be reached: other controls cover it").arg(name));
    }
    return *at;
}

// A point the line gives in the control's units (twips, or a picture's own scale), else the
// point of the control that the hand reaches first.
QPointF ScenarioRunner::pointFromLine(const Line& line, int index, const Control& c) {
    if (line.words.size() > index) {
        return c.pixelsFromScale(QPointF(decimal(line, index), decimal(line, index + 1)));
    }
    return pointOn(c, word(line, 1));
}

void ScenarioRunner::click(const Line& line) {
    Control& c = usableControl(word(line, 1));
    const QPointF at = pointFromLine(line, 2, c);
    act([&] { hand_.click(c.widget(), at); });
}

void ScenarioRunner::focus(const Line& line) {
    Control& c = usableControl(word(line, 1));
    act([&c] { c.userFocus(); });
}

void ScenarioRunner::takeFocus(Control& c, const QString& name) {
    bool focused = true;
    act([&] { focused = c.hasLogicalFocus() || c.userFocus(); });
    if (!focused) {
        refuse(QStringLiteral("the focus could not move to %1").arg(name));
    }
}

platform::TextBox& ScenarioRunner::focusedBox(const Line& line) {
    const QString name = word(line, 1);
    auto* box = dynamic_cast<platform::TextBox*>(&usableControl(name));
    if (!box) {
        fail(QStringLiteral("%1 is not a text box").arg(name));
    }
    takeFocus(*box, name);
    return *box;
}

void ScenarioRunner::type(const Line& line) {
    platform::TextBox& box = focusedBox(line);
    // One key per character: an emoji is one key, though it takes two places in a QString.
    for (const char32_t ch : word(line, 2).toUcs4()) {
        act([&] { sendKey(focusedWidget(box), 0, Qt::NoModifier, QString::fromUcs4(&ch, 1)); });
        if (desktop_.ended) {
            break;
        }
    }
}

void ScenarioRunner::key(const Line& line) {
    const QString keyName = word(line, 2);
    Control& c = usableControl(word(line, 1));
    takeFocus(c, word(line, 1));
    static const std::map<QString, std::pair<int, Qt::KeyboardModifiers>> keys{
        {"Tab", {Qt::Key_Tab, Qt::NoModifier}},
        {"Shift+Tab", {Qt::Key_Backtab, Qt::ShiftModifier}},
        {"Space", {Qt::Key_Space, Qt::NoModifier}},
        {"Backspace", {Qt::Key_Backspace, Qt::NoModifier}},
        {"Delete", {Qt::Key_Delete, Qt::NoModifier}},
        {"Enter", {Qt::Key_Return, Qt::NoModifier}},
        {"Escape", {Qt::Key_Escape, Qt::NoModifier}},
        {"Home", {Qt::Key_Home, Qt::NoModifier}},
        {"End", {Qt::Key_End, Qt::NoModifier}},
        {"Left", {Qt::Key_Left, Qt::NoModifier}},
        {"Right", {Qt::Key_Right, Qt::NoModifier}},
        {"Up", {Qt::Key_Up, Qt::NoModifier}},
        {"Down", {Qt::Key_Down, Qt::NoModifier}},
        {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
        {"Ctrl+C", {Qt::Key_C, Qt::ControlModifier}},
        {"Ctrl+V", {Qt::Key_V, Qt::ControlModifier}},
        {"Ctrl+X", {Qt::Key_X, Qt::ControlModifier}},
    };
    const auto found = keys.find(keyName);
    if (found == keys.end()) {
        fail(QStringLiteral("unknown key %1").arg(keyName));
    }
    const QString text = keyName == "Space" ? QStringLiteral(" ") : QString();
    act([&] { sendKey(focusedWidget(c), found->second.first, found->second.second, text); });
}

void ScenarioRunner::paste(const Line& line) {
    platform::TextBox& box = focusedBox(line);
    act([&box] { box.insertFiltered(QApplication::clipboard()->text()); });
}

void ScenarioRunner::drop(const Line& line) {
    platform::TextBox& box = focusedBox(line);
    const QString text = word(line, 2);
    act([&box, text] { box.insertFiltered(text); });
}

void ScenarioRunner::pick(const Line& line) {
    const QString name = word(line, 1);
    Control& c = usableControl(name);
    const QString item = word(line, 2);
    auto indexIn = [&](const auto& list) {
        const int index = itemIndex(list, item);
        if (index < 0) {
            fail(QStringLiteral("%1 has no item %2").arg(name, item));
        }
        return index;
    };
    if (auto* combo = dynamic_cast<platform::ComboBox*>(&c)) {
        pickInCombo(*combo, indexIn(*combo), name);
    } else if (auto* list = dynamic_cast<platform::ListBox*>(&c)) {
        const int index = indexIn(*list);
        QWidget* shownIn = nullptr;
        const QPointF at = runner::itemPoint(*list, index, shownIn);
        act([&] { hand_.click(shownIn, at); });
    } else {
        fail(QStringLiteral("%1 is not a list").arg(name));
    }
}

// The hand opens the drop-down list with a click and clicks the item in it.
void ScenarioRunner::pickInCombo(platform::ComboBox& combo, int index, const QString& name) {
    const QPointF at = pointOn(combo, name);
    act([&] { hand_.click(&combo, at); });
    QAbstractItemView* list = combo.view();
    if (!list->isVisible()) {
        if (!combo.hasLogicalFocus()) {
            return; // the focus stayed where it was: the press did nothing, as for a click
        }
        fail(QStringLiteral("the list of %1 did not open").arg(name));
    }
    const QModelIndex item = combo.model()->index(index, combo.modelColumn());
    list->scrollTo(item);
    const QPointF itemAt = runner::shownCentre(list->visualRect(item), *list->viewport());
    // The list takes no release near the point where it opened until the pointer has moved
    // away from it: a hand whose item opened under it passes over the list on its way back.
    const QPoint fromOpening =
        list->viewport()->mapToGlobal(itemAt.toPoint()) - combo.mapToGlobal(at.toPoint());
    if (fromOpening.manhattanLength() <= 9) {
        const QRect shown = list->viewport()->rect();
        const QPointF away(itemAt.x() + (itemAt.x() + 12 < shown.right() ? 12 : -12), itemAt.y());
        act([&] { hand_.moveTo(list->viewport(), away); });
    }
    act([&] { hand_.click(list->viewport(), itemAt); });
    if (list->isVisible()) {
        fail(QStringLiteral("the list of %1 stayed open").arg(name));
    }
}

void ScenarioRunner::clickCell(const Line& line) {
    const QString name = word(line, 1);
    auto* grid = dynamic_cast<platform::Grid*>(&usableControl(name));
    if (!grid) {
        fail(QStringLiteral("%1 is not a grid").arg(name));
    }
    const int row = number(line, 2), col = number(line, 3);
    if (row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Cols()) {
        fail(QStringLiteral("the grid has no cell %1 %2").arg(row).arg(col));
    }
    QWidget* shownIn = nullptr;
    const QPointF at = runner::cellPoint(*grid, row, col, shownIn);
    act([&] { hand_.click(shownIn, at); });
}

void ScenarioRunner::scroll(const Line& line) {
    const QString name = word(line, 1);
    auto* bar = dynamic_cast<platform::HScrollBar*>(&usableControl(name));
    if (!bar) {
        fail(QStringLiteral("%1 is not a scroll bar").arg(name));
    }
    const int target = number(line, 2);
    if (target < bar->Min() || target > bar->Max()) {
        fail(QStringLiteral("%1 lies outside %2..%3").arg(target).arg(bar->Min()).arg(bar->Max()));
    }
    if (dragThumb(*bar, target, name)) {
        stepArrows(*bar, target);
    }
}

// The hand takes the thumb and moves it a pixel at a time towards the target; Qt turns each
// pixel into the bar's position.
bool ScenarioRunner::dragThumb(platform::HScrollBar& bar, int target, const QString& name) {
    const QRect thumb = bar.partRect(QStyle::SC_ScrollBarSlider);
    const QRect groove = bar.partRect(QStyle::SC_ScrollBarGroove);
    const QPoint grip = thumb.center();
    const int span = groove.width() - thumb.width();
    const int thumbLeft =
        groove.left() + QStyle::sliderPositionFromValue(bar.Min(), bar.Max(), target, span);
    const int goal = thumbLeft + (grip.x() - thumb.left());
    act([&] { hand_.press(&bar, grip, Qt::LeftButton); });
    if (!bar.isSliderDown()) {
        act([&] { hand_.release(&bar, grip, Qt::LeftButton); });
        if (!bar.hasLogicalFocus()) {
            return false; // the focus stayed where it was: the press did nothing
        }
        if (bar.Value() == target) {
            return true; // a bar without a range has its thumb where it is wanted
        }
        refuse(QStringLiteral("the thumb of %1 could not be taken").arg(name));
    }
    // The moves of one drag, each delivered as the hand makes it, settled once.
    int x = grip.x();
    act([&] {
        const int step = goal > x ? 1 : -1;
        while (x != goal && bar.isSliderDown() && bar.sliderPosition() != target) {
            x += step;
            hand_.moveTo(&bar, QPointF(x, grip.y()));
        }
        hand_.release(&bar, QPointF(x, grip.y()), Qt::LeftButton);
    });
    return true;
}

// Where the pixels skip the value, the arrows step to it, a click at a time.
void ScenarioRunner::stepArrows(platform::HScrollBar& bar, int target) {
    for (int clicks = 0; bar.Value() != target && clicks <= bar.Max() - bar.Min(); ++clicks) {
        const auto arrow =
            bar.Value() < target ? QStyle::SC_ScrollBarAddLine : QStyle::SC_ScrollBarSubLine;
        act([&] { hand_.click(&bar, QRectF(bar.partRect(arrow)).center()); });
    }
}

void ScenarioRunner::drag(const Line& line) {
    Control& c = usableControl(word(line, 1));
    const QPointF from = c.pixelsFromScale(QPointF(decimal(line, 2), decimal(line, 3)));
    const QPointF to = c.pixelsFromScale(QPointF(decimal(line, 4), decimal(line, 5)));
    act([&] { hand_.press(c.widget(), from, Qt::LeftButton); });
    act([&] { hand_.moveTo(c.widget(), to); });
    act([&] { hand_.release(c.widget(), to, Qt::LeftButton); });
}

void ScenarioRunner::pointer(const Line& line) {
    const QString command = word(line, 0);
    const QString name = word(line, 1);
    QWidget* target = nullptr;
    QPointF at;
    if (!name.contains('.')) {
        Form& form = shownWindow(name);
        const std::optional<QPointF> free = runner::freePoint(form, hand_.position());
        if (!free) {
            refuse(QStringLiteral("%1 has no free area").arg(name));
        }
        target = &form;
        at = *free;
    } else {
        Control& c = control(name);
        if (!c.form() || !c.form()->isVisible() || !c.widget()->isVisibleTo(c.form())) {
            fail(QStringLiteral("%1 is not on the screen").arg(name));
        }
        target = c.widget();
        at = pointOn(c, name);
    }
    if (command == "hover") {
        act([&] { hand_.moveTo(target, at); });
        return;
    }
    const Qt::MouseButton button = mouseButton(word(line, 2));
    if (button == Qt::NoButton) {
        fail(QStringLiteral("a button is left, right or middle"));
    }
    const bool pressing = command == "mousedown";
    if (pressing == hand_.held().testFlag(button)) {
        refuse(pressing ? QStringLiteral("the %1 button is held already").arg(word(line, 2))
                        : QStringLiteral("the %1 button is not held").arg(word(line, 2)));
    }
    act([&] { pressing ? hand_.press(target, at, button) : hand_.release(target, at, button); });
}

void ScenarioRunner::wheel(const Line& line) {
    Control& c = usableControl(word(line, 1));
    const QPointF at = pointOn(c, word(line, 1));
    const int notches = number(line, 2);
    act([&] { hand_.turnWheel(c.widget(), at, notches); });
}

void ScenarioRunner::close(const Line& line) {
    Form& form = shownWindow(word(line, 1));
    // The close box asks the window to close, as the window manager does.
    act([&form] { form.close(); });
}

void ScenarioRunner::moveWindow(const Line& line) {
    Form& form = shownWindow(word(line, 1));
    const QPoint to(number(line, 2), number(line, 3));
    // The user drags the title bar; the window manager moves the frame there.
    act([&form, to] { form.move(to); });
}

void ScenarioRunner::advance(const Line& line) {
    const int ms = number(line, 1);
    if (ms < 0) {
        fail(QStringLiteral("advance takes milliseconds"));
    }
    act([ms] { platform::Timer::advanceClock(ms); });
}

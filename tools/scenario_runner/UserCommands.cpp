// Acting as the user: every command goes through the controls' own user paths, so the focus
// rules and Validate hold as they do for a real mouse and keyboard.

#include "ScenarioRunner.h"
#include "platform/Controls.h"
#include "platform/Grid.h"
#include "platform/Timer.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

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
        {"mouseup", &ScenarioRunner::pointer}, {"close", &ScenarioRunner::close},
        {"advance", &ScenarioRunner::advance},
    };
    return table;
}

namespace {

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

// Keys go where the focus is, as they would from a keyboard.
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

// The control a pointer event reaches: a disabled control counts as its container, and a window
// when there is no enabled container.
struct PointerTarget {
    Control* control = nullptr;
    Form* form = nullptr;
};

PointerTarget pointerTarget(Control& c) {
    PointerTarget target{&c, nullptr};
    for (QWidget* w = c.widget(); !w->isEnabled();) {
        w = w->parentWidget();
        if (auto* form = dynamic_cast<Form*>(w)) {
            return {nullptr, form};
        }
        if (auto* container = dynamic_cast<Control*>(w)) {
            target.control = container;
        }
    }
    return target;
}

int mouseButton(const QString& name) {
    if (name == "left") {
        return platform::LeftButton;
    }
    if (name == "right") {
        return platform::RightButton;
    }
    return name == "middle" ? platform::MiddleButton : 0;
}

} // namespace

void ScenarioRunner::click(const Line& line) {
    Control& c = usableControl(word(line, 1));
    act([&c] { c.userClick(); });
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
    if (keyName == "Tab" || keyName == "Shift+Tab") {
        // Tab moves on from whatever control has the focus.
        act([&c, keyName] { c.form()->tabToNext(keyName == "Tab"); });
        return;
    }
    static const std::map<QString, std::pair<int, Qt::KeyboardModifiers>> keys{
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
    act([&] { sendKey(focusedWidget(c), found->second.first, found->second.second, {}); });
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
    auto pickIn = [&](auto& list) {
        const int index = itemIndex(list, item);
        if (index < 0) {
            fail(QStringLiteral("%1 has no item %2").arg(name, item));
        }
        act([&list, index] { list.userPick(index); });
    };
    if (auto* combo = dynamic_cast<platform::ComboBox*>(&c)) {
        pickIn(*combo);
    } else if (auto* list = dynamic_cast<platform::ListBox*>(&c)) {
        pickIn(*list);
    } else {
        fail(QStringLiteral("%1 is not a list").arg(name));
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
    act([grid, row, col] { grid->userClickCell(row, col); });
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
    act([bar, target] { bar->userDrag(target); });
}

void ScenarioRunner::drag(const Line& line) {
    Control& c = usableControl(word(line, 1));
    const QPointF from(decimal(line, 2), decimal(line, 3));
    const QPointF to(decimal(line, 4), decimal(line, 5));
    act([&c, from, to] { c.userDrag(from, to); });
}

void ScenarioRunner::pointer(const Line& line) {
    const QString command = word(line, 0);
    const QString name = word(line, 1);
    if (command == "hover" && !name.contains('.')) {
        Form& form = shownWindow(name);
        act([&form] { form.Form_MouseMove(0, 0, 0, 0); });
        return;
    }
    Control& c = control(name);
    if (!c.form() || !c.form()->isVisible() || !c.widget()->isVisibleTo(c.form())) {
        fail(QStringLiteral("%1 is not on the screen").arg(name));
    }
    const int button = command == "hover" ? 0 : mouseButton(word(line, 2));
    if (command != "hover" && button == 0) {
        fail(QStringLiteral("a button is left, right or middle"));
    }
    const PointerTarget target = pointerTarget(c);
    act([&] {
        if (target.form) {
            command == "hover"       ? target.form->Form_MouseMove(button, 0, 0, 0)
            : command == "mousedown" ? target.form->Form_MouseDown(button, 0, 0, 0)
                                     : target.form->Form_MouseUp(button, 0, 0, 0);
            return;
        }
        const Control::MouseHandler& handler = command == "hover"       ? target.control->MouseMove
                                               : command == "mousedown" ? target.control->MouseDown
                                                                        : target.control->MouseUp;
        if (handler) {
            handler(button, 0, 0, 0);
        }
    });
}

void ScenarioRunner::close(const Line& line) {
    Form& form = shownWindow(word(line, 1));
    act([&form] { form.userClose(); });
}

void ScenarioRunner::advance(const Line& line) {
    const int ms = number(line, 1);
    if (ms < 0) {
        fail(QStringLiteral("advance takes milliseconds"));
    }
    act([ms] { platform::Timer::advanceClock(ms); });
}

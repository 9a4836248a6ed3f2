// What every command shares: reading its words, finding what they name, acting and failing.

#include "ScenarioRunner.h"

#include "RunnerText.h"
#include "platform/Controls.h"

#include <QCoreApplication>
#include <QFileInfo>

using platform::Control;
using platform::Form;
using runner::quoted;

ScenarioRunner::ScenarioRunner(const QString& scenarioPath)
    : path_(scenarioPath), here_(QFileInfo(scenarioPath).absolutePath()) {}

ScenarioRunner::ScenarioRunner(LineSource& source, const QString& name)
    : path_(name), source_(&source) {
    here_ = tmp_.path();
}

void ScenarioRunner::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ScenarioRunner::act(const std::function<void()>& action) {
    if (desktop_.ended) {
        fail(QStringLiteral("the program has ended"));
    }
    try {
        action();
    } catch (const platform::ProgramEnded&) {
        // The program ended inside the action; nothing after the end ran.
    }
    settle();
}

// ---- Words of a line ----

void ScenarioRunner::fail(const QString& why) {
    throw LineFailure{why};
}

void ScenarioRunner::refuse(const QString& why) {
    throw LineFailure{why, true};
}

QString ScenarioRunner::word(const Line& line, int index) {
    if (index >= line.words.size()) {
        fail(QStringLiteral("missing word %1").arg(index + 1));
    }
    return line.words[index];
}

int ScenarioRunner::number(const Line& line, int index) {
    bool ok = false;
    const int value = word(line, index).toInt(&ok);
    if (!ok) {
        fail(QStringLiteral("word %1 is no whole number").arg(index + 1));
    }
    return value;
}

QString ScenarioRunner::repeatedText(const Line& line, int index) {
    const QString text = word(line, index);
    if (index + 1 >= line.words.size()) {
        return text;
    }
    const int times = number(line, index + 1);
    if (times < 1) {
        fail(QStringLiteral("a text is repeated once or more"));
    }
    return text.repeated(times);
}

double ScenarioRunner::decimal(const Line& line, int index) {
    bool ok = false;
    const double value = word(line, index).toDouble(&ok);
    if (!ok) {
        fail(QStringLiteral("word %1 is no number").arg(index + 1));
    }
    return value;
}

bool ScenarioRunner::flag(const QString& text) {
    if (text == "true") {
        return true;
    }
    if (text == "false") {
        return false;
    }
    fail(QStringLiteral("expected true or false, not %1").arg(text));
}

QColor ScenarioRunner::color(const Line& line, int index) {
    const QString name = word(line, index);
    if (name == "highlight") {
        return platform::systemHighlight();
    }
    if (name == "windowtext") {
        return platform::systemWindowText();
    }
    if (name == "buttonface") {
        return platform::systemButtonFace();
    }
    if (name == "window") {
        return platform::systemWindow();
    }
    return QColor(number(line, index), number(line, index + 1), number(line, index + 2));
}

void ScenarioRunner::expectEqual(const QString& what, const QString& actual,
                                 const QString& expected) {
    if (actual != expected) {
        fail(QStringLiteral("%1 is %2").arg(what, quoted(actual)));
    }
}

// ---- Finding windows and controls ----

Form& ScenarioRunner::loadedWindow(const QString& name) {
    if (!platform::windows().isKnown(name)) {
        fail(QStringLiteral("unknown window %1").arg(name));
    }
    Form* form = platform::windows().find(name);
    if (!form) {
        fail(QStringLiteral("window %1 is not loaded").arg(name));
    }
    return *form;
}

Form& ScenarioRunner::shownWindow(const QString& name) {
    Form& form = loadedWindow(name);
    if (!form.isVisible()) {
        fail(QStringLiteral("the window is not on the screen"));
    }
    return form;
}

Control* ScenarioRunner::findControl(const QString& name) {
    const int dot = name.indexOf('.');
    Form* form = dot < 0 ? nullptr : platform::windows().find(name.left(dot));
    return form ? form->control(name.mid(dot + 1)) : nullptr;
}

Control& ScenarioRunner::control(const QString& name) {
    const int dot = name.indexOf('.');
    if (dot < 0) {
        fail(QStringLiteral("%1 names no control (Window.Control)").arg(name));
    }
    loadedWindow(name.left(dot));
    Control* c = findControl(name);
    if (!c) {
        fail(QStringLiteral("unknown control %1").arg(name));
    }
    return *c;
}

QString ScenarioRunner::whyUnusable(const Control& c) {
    const Form* form = c.form();
    const QString name = form ? form->formName() + '.' + c.fullName() : c.fullName();
    if (!form || !form->isVisible()) {
        return QStringLiteral("the window of %1 is not on the screen").arg(name);
    }
    if (!c.widget()->isVisibleTo(form)) {
        return QStringLiteral("%1 is hidden").arg(name);
    }
    if (!c.widget()->isEnabled()) {
        return QStringLiteral("%1 is disabled").arg(name);
    }
    const Form* active = platform::windows().active();
    if (active && active != form && active->isModalShowing()) {
        return QStringLiteral("a modal window is open");
    }
    return {};
}

Control& ScenarioRunner::usableControl(const QString& name) {
    Control& c = control(name);
    const QString why = whyUnusable(c);
    if (!why.isEmpty()) {
        fail(why);
    }
    // The user's click brings the window to the front first.
    platform::windows().activate(c.form());
    runner::bringToFront(*c.form());
    return c;
}

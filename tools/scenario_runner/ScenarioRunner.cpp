#include "ScenarioRunner.h"

#include "Files.h"
#include "RunnerText.h"
#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Timer.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

using platform::Control;
using platform::Form;
using runner::quoted;

namespace {
struct LineFailure {
    QString why;
};
} // namespace

ScenarioRunner::ScenarioRunner(const QString& scenarioPath)
    : path_(scenarioPath), here_(QFileInfo(scenarioPath).absolutePath()) {}

QString ScenarioRunner::failure() const {
    return failed_ ? QStringLiteral("%1: %2: %3").arg(failedLine_).arg(failedSource_, failure_)
                   : QString();
}

bool ScenarioRunner::load(QString& error) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path_);
        return false;
    }
    const QStringList texts = QString::fromUtf8(file.readAll()).split('\n');
    for (int i = 0; i < texts.size(); ++i) {
        const QString trimmed = texts[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) {
            continue;
        }
        QString expanded = trimmed;
        expanded.replace(QLatin1String("${TMP}"), tmp_.path());
        expanded.replace(QLatin1String("${HERE}"), here_);
        QString splitError;
        Line line{i + 1, trimmed, runner::splitWords(expanded, splitError)};
        if (!splitError.isEmpty()) {
            error = QStringLiteral("%1:%2: %3").arg(path_).arg(i + 1).arg(splitError);
            return false;
        }
        lines_.push_back(line);
    }
    return true;
}

int ScenarioRunner::run() {
    QString error;
    if (!tmp_.isValid() || !load(error)) {
        QTextStream(stderr) << "scenario: " << error << "\n";
        return 1;
    }
    shell::prepareApplication(*qApp);
    platform::setDesktop(&desktop_);
    platform::Timer::useVirtualClock(true);
    platform::windows().followSystemActivation = false;
    // A modal window runs the next lines of the scenario inside its own loop,
    // as a user answers it while the opener waits.
    desktop_.modalDriver = [this](const std::function<bool()>& stillOpen) {
        runLinesWhile(stillOpen);
    };

    runLinesWhile([] { return true; });
    if (desktop_.messages.size() > checkedMessages_) {
        failAtEnd(QStringLiteral("message not checked: %1")
                      .arg(quoted(desktop_.messages[checkedMessages_].text)));
    }

    platform::windows().discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setDesktop(nullptr);
    for (const QString& path : immutable_) {
        runner::setImmutable(path, false); // so the temporary folder can go
    }

    QTextStream out(stdout);
    if (failed_) {
        QTextStream(stderr) << path_ << ":" << failedLine_ << ": " << failedSource_ << "\n  "
                            << failure_ << "\n";
        out << "0 passed, 1 failed\n";
        return 1;
    }
    out << "scenario passed: " << lines_.size() << " lines\n";
    return 0;
}

void ScenarioRunner::runLinesWhile(const std::function<bool()>& keepGoing) {
    while (!failed_ && next_ < lines_.size() && keepGoing()) {
        const Line& line = lines_[next_++];
        try {
            execute(line);
            if (!desktop_.problems.empty()) {
                const QString problem = desktop_.problems.front();
                desktop_.problems.clear();
                fail(problem);
            }
        } catch (const LineFailure& failure) {
            failed_ = true;
            failure_ = failure.why;
            failedLine_ = line.number;
            failedSource_ = line.source;
        }
    }
    if (next_ >= lines_.size() && keepGoing() && platform::windows().active() &&
        platform::windows().active()->isModalShowing()) {
        failAtEnd(QStringLiteral("a modal window is still open"));
    }
}

void ScenarioRunner::failAtEnd(const QString& why) {
    if (failed_) {
        return;
    }
    failed_ = true;
    failedLine_ = lines_.empty() ? 0 : lines_.back().number;
    failedSource_ = QStringLiteral("(end of scenario)");
    failure_ = why;
}

void ScenarioRunner::execute(const Line& line) {
    const QString command = line.words.value(0);
    for (const Table* table : {&stageCommands(), &userCommands()}) {
        const auto found = table->find(command);
        if (found != table->end()) {
            (this->*found->second)(line);
            return;
        }
    }
    if (command == "expect") {
        expect(line);
        return;
    }
    fail(QStringLiteral("unknown command %1").arg(command));
}

void ScenarioRunner::expect(const Line& line) {
    const QString what = word(line, 1);
    const auto found = checks().find(what);
    if (found == checks().end()) {
        fail(QStringLiteral("unknown check %1").arg(what));
    }
    (this->*found->second)(line);
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

Control& ScenarioRunner::control(const QString& name) {
    const int dot = name.indexOf('.');
    if (dot < 0) {
        fail(QStringLiteral("%1 names no control (Window.Control)").arg(name));
    }
    Form& form = loadedWindow(name.left(dot));
    Control* c = form.control(name.mid(dot + 1));
    if (!c) {
        fail(QStringLiteral("unknown control %1").arg(name));
    }
    return *c;
}

Control& ScenarioRunner::usableControl(const QString& name) {
    Control& c = control(name);
    Form* form = c.form();
    if (!form || !form->isVisible()) {
        fail(QStringLiteral("the window of %1 is not on the screen").arg(name));
    }
    if (!c.widget()->isVisibleTo(form)) {
        fail(QStringLiteral("%1 is hidden").arg(name));
    }
    if (!c.widget()->isEnabled()) {
        fail(QStringLiteral("%1 is disabled").arg(name));
    }
    if (platform::windows().active() != form) {
        // The user's click brings the window to the front first.
        if (platform::windows().active() && platform::windows().active()->isModalShowing()) {
            fail(QStringLiteral("a modal window is open"));
        }
        platform::windows().activate(form);
    }
    return c;
}

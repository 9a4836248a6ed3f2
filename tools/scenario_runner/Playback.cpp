// Playing a scenario: its lines are read, then run one by one through the command tables.

#include "Files.h"
#include "RunnerText.h"
#include "ScenarioRunner.h"
#include "platform/Timer.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

using runner::quoted;

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
        QString splitError;
        Line line = parse(i + 1, trimmed, splitError);
        if (!splitError.isEmpty()) {
            error = QStringLiteral("%1:%2: %3").arg(path_).arg(i + 1).arg(splitError);
            return false;
        }
        lines_.push_back(line);
    }
    return true;
}

ScenarioRunner::Line ScenarioRunner::parse(int number, const QString& text, QString& error) const {
    QString expanded = text;
    expanded.replace(QLatin1String("${TMP}"), tmp_.path());
    expanded.replace(QLatin1String("${HERE}"), here_);
    return {number, text, runner::splitWords(expanded, error)};
}

std::optional<ScenarioRunner::Line> ScenarioRunner::nextLine() {
    if (!source_) {
        return next_ < lines_.size() ? std::optional<Line>(lines_[next_++]) : std::nullopt;
    }
    const std::optional<QString> text = source_->nextLine();
    if (!text) {
        return std::nullopt;
    }
    QString error;
    Line line = parse(++played_, *text, error);
    if (!error.isEmpty()) {
        recordFailure(line, error);
    }
    return line;
}

int ScenarioRunner::run() {
    QString error;
    if (!tmp_.isValid() || (!source_ && !load(error))) {
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
    if (!source_) {
        out << "scenario passed: " << lines_.size() << " lines\n";
    }
    return 0;
}

void ScenarioRunner::runLinesWhile(const std::function<bool()>& keepGoing) {
    bool exhausted = false;
    while (!failed_ && keepGoing()) {
        const std::optional<Line> line = nextLine();
        if (!line) {
            exhausted = true;
            break;
        }
        if (!failed_) {
            play(*line);
        }
    }
    if (exhausted && keepGoing() && platform::windows().active() &&
        platform::windows().active()->isModalShowing()) {
        failAtEnd(QStringLiteral("a modal window is still open"));
    }
}

void ScenarioRunner::play(const Line& line) {
    try {
        execute(line);
        if (!desktop_.problems.empty()) {
            const QString problem = desktop_.problems.front();
            desktop_.problems.clear();
            fail(problem);
        }
    } catch (const LineFailure& failure) {
        if (failure.refused && source_) {
            source_->refused(failure.why);
        } else {
            recordFailure(line, failure.why);
        }
    }
}

void ScenarioRunner::recordFailure(const Line& line, const QString& why) {
    failed_ = true;
    failure_ = why;
    failedLine_ = line.number;
    failedSource_ = line.source;
}

void ScenarioRunner::failAtEnd(const QString& why) {
    if (failed_) {
        return;
    }
    failed_ = true;
    failedLine_ = source_ || lines_.empty() ? played_ : lines_.back().number;
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

#pragma once

#include "tests/support/ScriptedDesktop.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <vector>

namespace platform {
class Control;
class Form;
} // namespace platform

// Plays a scenario file against the editor, line by line, as a user would.
class ScenarioRunner {
public:
    explicit ScenarioRunner(const QString& scenarioPath);

    // 0 when every line held; otherwise prints the first failing line.
    int run();

private:
    struct Line {
        int number = 0;
        QString source;
        QStringList words;
    };
    struct Failure {
        QString why;
    };

    bool load(QString& error);
    void runLinesWhile(const std::function<bool()>& keepGoing);
    void execute(const Line& line);
    void act(const std::function<void()>& action);
    void settle();

    // Commands
    void setStage(const Line& line);
    void userAction(const Line& line);
    void check(const Line& line);
    void checkControl(const QString& what, const Line& line);
    void checkMessage(const Line& line);

    // Look-ups that fail the line loudly.
    platform::Form& loadedWindow(const QString& name);
    platform::Control& control(const QString& name);
    platform::Control& usableControl(const QString& name);
    template <class T> T& controlAs(const QString& name, const char* kind);
    static QString word(const Line& line, int index);
    static bool flag(const QString& text);
    [[noreturn]] static void fail(const QString& why);

    QString path_;
    QString here_;
    QTemporaryDir tmp_;
    std::vector<Line> lines_;
    size_t next_ = 0;
    bool failed_ = false;
    QString failure_;
    int failedLine_ = 0;
    QString failedSource_;
    size_t checkedMessages_ = 0;
    size_t checkedCommands_ = 0;
    size_t checkedWeb_ = 0;
    bool started_ = false;
    QStringList immutable_;
    testsupport::ScriptedDesktop desktop_;
};

#pragma once

#include "Hand.h"
#include "platform/Form.h"
#include "tests/support/ScriptedDesktop.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace platform {
class ComboBox;
class Grid;
class HScrollBar;
class TextBox;
} // namespace platform

namespace stores {
class RecordStore;
} // namespace stores

// Where the lines come from when no file holds them: a program that makes them up as it plays,
// seeing the editor as each line left it.
class LineSource {
public:
    virtual ~LineSource() = default;
    // The next line to play; nothing ends the scenario.
    virtual std::optional<QString> nextLine() = 0;
    // The program refused the last line's action, as it may refuse a user's (the focus stayed
    // where it was); the play goes on with the next line.
    virtual void refused(const QString& why) { (void)why; }
};

// Plays a scenario file against the editor, line by line, as a user would (Playback.cpp). Each
// command is one small handler, found by the line's first word (a check by the word after
// "expect") in the tables of StageCommands.cpp, UserCommands.cpp and Checks.cpp, the handlers of
// control checks living in ControlChecks.cpp: a new command is one member function and one row in
// its table. What the handlers share is in ScenarioRunner.cpp.
class ScenarioRunner {
public:
    // What fail() throws: the line stops there and the scenario fails with why.
    struct LineFailure {
        QString why;
        bool refused = false; // the program refused the action; only a file's line fails on it
    };

    explicit ScenarioRunner(const QString& scenarioPath);
    // Plays the lines the source makes up, under the name given for the failures.
    ScenarioRunner(LineSource& source, const QString& name);

    // 0 when every line held; otherwise prints the first failing line.
    int run();
    // The first failing line and why; empty when every line held.
    QString failure() const;
    // The control a name such as "Form1.Option2(0)" names, when its window is loaded.
    static platform::Control* findControl(const QString& name);
    // Why the user cannot act on the control now (its window off the screen or behind a modal
    // window, the control hidden or disabled); empty when they can.
    static QString whyUnusable(const platform::Control& control);

    // What the program showed and what answers it; the folder that ${TMP} stands for.
    testsupport::ScriptedDesktop& desktop() { return desktop_; }
    QString temporaryFolder() const { return tmp_.path(); }

private:
    struct Line {
        int number = 0;
        QString source;
        QStringList words;
    };
    using Handler = void (ScenarioRunner::*)(const Line&);
    using Table = std::map<QString, Handler>;
    static const Table& stageCommands();
    static const Table& userCommands();
    static const Table& checks();

    bool load(QString& error);
    // The line with its words, ${TMP} and ${HERE} put in; error tells what cannot be read.
    Line parse(int number, const QString& text, QString& error) const;
    std::optional<Line> nextLine();
    void runLinesWhile(const std::function<bool()>& keepGoing);
    void play(const Line& line);
    void execute(const Line& line);
    void recordFailure(const Line& line, const QString& why);
    void failAtEnd(const QString& why);
    void act(const std::function<void()>& action);
    static void settle();

    // Setting the stage
    void pin(const Line& line);
    void env(const Line& line);
    void makeFolder(const Line& line);
    void writeFile(const Line& line);
    void makeReadOnly(const Line& line);
    void setMode(const Line& line);
    void makeLink(const Line& line);
    void makeDevice(const Line& line);
    void putOnClipboard(const Line& line);
    void start(const Line& line);
    void showWindow(const Line& line);
    void answer(const Line& line);
    void answerDialog(const Line& line);

    // Acting as the user
    void click(const Line& line);
    void focus(const Line& line);
    void type(const Line& line);
    void key(const Line& line);
    void paste(const Line& line);
    void drop(const Line& line);
    void pick(const Line& line);
    void clickCell(const Line& line);
    void scroll(const Line& line);
    void drag(const Line& line);
    void pointer(const Line& line);
    void wheel(const Line& line);
    void close(const Line& line);
    void moveWindow(const Line& line);
    void advance(const Line& line);
    // Moves the focus to the control as a click would; fails when it was refused.
    void takeFocus(platform::Control& control, const QString& name);
    // The text box the line names, with the focus moved to it.
    platform::TextBox& focusedBox(const Line& line);
    void pickInCombo(platform::ComboBox& combo, int index, const QString& name);
    // False when the press was refused (the focus could not come to the bar).
    bool dragThumb(platform::HScrollBar& bar, int target, const QString& name);
    void stepArrows(platform::HScrollBar& bar, int target);
    // The point of the control the hand goes to, in its own pixels.
    static QPointF pointOn(const platform::Control& control, const QString& name);
    static QPointF pointFromLine(const Line& line, int index, const platform::Control& control);

    // Checks of the program, its desktop and its files
    void expect(const Line& line);
    void expectEnded(const Line& line);
    void expectVisible(const Line& line);
    void expectLoaded(const Line& line);
    void expectActive(const Line& line);
    void expectCaption(const Line& line);
    void expectHeight(const Line& line);
    void expectPlace(const Line& line);
    void expectCentred(const Line& line);
    void expectState(const Line& line);
    void expectStore(const Line& line);
    void expectRecord(const Line& line);
    void expectTable(const Line& line);
    void expectMessage(const Line& line);
    void expectNoMessage(const Line& line);
    void expectCommand(const Line& line);
    void expectNoCommand(const Line& line);
    void expectWeb(const Line& line);
    void expectFile(const Line& line);
    void expectKind(const Line& line);
    void expectMode(const Line& line);
    void expectNoFile(const Line& line);
    void expectSaveDialog(const Line& line);
    void expectSetting(const Line& line);

    // Checks of one control
    void expectText(const Line& line);
    void expectSelection(const Line& line);
    void expectEnabled(const Line& line);
    void expectShown(const Line& line);
    void expectValue(const Line& line);
    void expectFocus(const Line& line);
    void expectBack(const Line& line);
    void expectFore(const Line& line);
    void expectBorder(const Line& line);
    void expectTooltip(const Line& line);
    void expectItems(const Line& line);
    void expectIndex(const Line& line);
    void expectRows(const Line& line);
    void expectCols(const Line& line);
    void expectCell(const Line& line);
    void expectRow(const Line& line);
    void expectCellBack(const Line& line);
    void expectPixel(const Line& line);
    // Fails unless actual is the colour the words from index on name.
    void expectSameColor(const QColor& actual, const Line& line, int index);
    // The grid and the cell (row, col) that words 2 to 4 name; fails when the grid has no such
    // cell.
    const platform::Grid& gridCell(const Line& line, int& row, int& col);

    // Look-ups that fail the line loudly.
    platform::Form& loadedWindow(const QString& name);
    platform::Form& shownWindow(const QString& name);
    platform::Control& control(const QString& name);
    platform::Control& usableControl(const QString& name);
    template <class T> T& controlAs(const QString& name, const char* kind);
    const stores::RecordStore& store(const QString& name);
    // A file's bytes, the first most of them when most is not negative.
    static QByteArray fileBytes(const QString& path);
    static QString word(const Line& line, int index);
    static int number(const Line& line, int index);
    // The text of word index, as many times over as the word after it says (once without one).
    static QString repeatedText(const Line& line, int index);
    static double decimal(const Line& line, int index);
    static bool flag(const QString& text);
    // The colour the words from index on name: "r g b", or a system colour's name.
    static QColor color(const Line& line, int index);
    static void expectEqual(const QString& what, const QString& actual, const QString& expected);
    [[noreturn]] static void fail(const QString& why);
    // The program kept the user from acting: a file's line fails, a made-up one is passed over.
    [[noreturn]] static void refuse(const QString& why);

    QString path_;
    QString here_;
    QTemporaryDir tmp_;
    LineSource* source_ = nullptr;
    std::vector<Line> lines_;
    size_t next_ = 0;
    int played_ = 0;
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
    runner::Hand hand_;
};

template <class T> T& ScenarioRunner::controlAs(const QString& name, const char* kind) {
    auto* typed = dynamic_cast<T*>(&control(name));
    if (!typed) {
        fail(QStringLiteral("%1 is not a %2").arg(name, QString::fromLatin1(kind)));
    }
    return *typed;
}

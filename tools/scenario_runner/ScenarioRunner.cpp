#include "ScenarioRunner.h"

#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Services.h"
#include "platform/Timer.h"
#include "shell/Start.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTextStream>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using platform::Control;
using platform::Form;

namespace {

struct LineFailure {
    QString why;
};

// Splits a line into words: blanks separate, double quotes keep blanks, and
// a few escapes stand for what a line cannot hold.
QStringList splitWords(const QString& text, QString& error) {
    QStringList words;
    QString current;
    bool quoted = false;
    bool inWord = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == '\\' && i + 1 < text.size()) {
                const QChar e = text[++i];
                current += e == 'r'   ? QChar('\r')
                           : e == 'n' ? QChar('\n')
                           : e == 't' ? QChar('\t')
                                      : e;
            } else if (ch == '"') {
                quoted = false;
            } else {
                current += ch;
            }
        } else if (ch == '"') {
            quoted = true;
            inWord = true;
        } else if (ch.isSpace()) {
            if (inWord) {
                words << current;
                current.clear();
                inWord = false;
            }
        } else {
            current += ch;
            inWord = true;
        }
    }
    if (quoted) {
        error = QStringLiteral("unclosed quote");
    }
    if (inWord) {
        words << current;
    }
    return words;
}

QString describe(const QColor& c) {
    return QStringLiteral("%1 %2 %3").arg(c.red()).arg(c.green()).arg(c.blue());
}

// Root writes into folders whatever their permissions say; the immutable
// attribute holds for root too.
bool setImmutable(const QString& path, bool on) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

// Only root may make a real device node (and a container may forbid even that); a named pipe is
// no regular file either, and anyone may make one.
bool makeDeviceNode(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    constexpr unsigned NullDeviceMajor = 1;
    constexpr unsigned NullDeviceMinor = 3;
    if (::geteuid() == 0 &&
        ::mknod(name.constData(), S_IFCHR | 0666, makedev(NullDeviceMajor, NullDeviceMinor)) == 0) {
        return true;
    }
    return ::mkfifo(name.constData(), 0666) == 0;
}

// What stands at a name, the name itself not followed: file, folder, link, or special (a
// device, a pipe, a socket); empty when nothing does.
QString kindOf(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) {
        return {};
    }
    if (S_ISLNK(status.st_mode)) {
        return QStringLiteral("link");
    }
    if (S_ISDIR(status.st_mode)) {
        return QStringLiteral("folder");
    }
    return S_ISREG(status.st_mode) ? QStringLiteral("file") : QStringLiteral("special");
}

QString quoted(const QString& text) {
    QString shown = text;
    shown.replace("\r", "\\r").replace("\n", "\\n").replace("\t", "\\t");
    return '"' + shown + '"';
}

} // namespace

ScenarioRunner::ScenarioRunner(const QString& scenarioPath)
    : path_(scenarioPath), here_(QFileInfo(scenarioPath).absolutePath()) {}

void ScenarioRunner::fail(const QString& why) {
    throw LineFailure{why};
}

bool ScenarioRunner::load(QString& error) {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1").arg(path_);
        return false;
    }
    const QStringList texts = QString::fromUtf8(file.readAll()).split('\n');
    for (int i = 0; i < texts.size(); ++i) {
        QString text = texts[i];
        if (text.endsWith('\r')) {
            text.chop(1);
        }
        const QString trimmed = text.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#')) {
            continue;
        }
        QString expanded = trimmed;
        expanded.replace(QLatin1String("${TMP}"), tmp_.path());
        expanded.replace(QLatin1String("${HERE}"), here_);
        QString splitError;
        Line line{i + 1, trimmed, splitWords(expanded, splitError)};
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

    if (!failed_ && desktop_.messages.size() > checkedMessages_) {
        failed_ = true;
        failedLine_ = lines_.empty() ? 0 : lines_.back().number;
        failedSource_ = QStringLiteral("(end of scenario)");
        failure_ = QStringLiteral("message not checked: %1")
                       .arg(quoted(desktop_.messages[checkedMessages_].text));
    }

    platform::windows().discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::setDesktop(nullptr);
    for (const QString& path : immutable_) {
        setImmutable(path, false); // so the temporary folder can go
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
    if (!failed_ && next_ >= lines_.size() && keepGoing() && platform::windows().active() &&
        platform::windows().active()->isModalShowing()) {
        failed_ = true;
        failedLine_ = lines_.empty() ? 0 : lines_.back().number;
        failedSource_ = QStringLiteral("(end of scenario)");
        failure_ = QStringLiteral("a modal window is still open");
    }
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

QString ScenarioRunner::word(const Line& line, int index) {
    if (index >= line.words.size()) {
        fail(QStringLiteral("missing word %1").arg(index + 1));
    }
    return line.words[index];
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

void ScenarioRunner::execute(const Line& line) {
    const QString command = line.words.value(0);
    static const QStringList stage{"pin",   "env",    "mkdir",  "write",     "readonly",
                                   "chmod", "link",   "device", "clipboard", "start",
                                   "show",  "answer", "dialog"};
    static const QStringList actions{"click",   "type",  "key",    "paste", "drop",
                                     "focus",   "pick",  "cell",   "hover", "mousedown",
                                     "mouseup", "close", "advance"};
    if (stage.contains(command)) {
        setStage(line);
    } else if (actions.contains(command)) {
        userAction(line);
    } else if (command == "expect") {
        check(line);
    } else {
        fail(QStringLiteral("unknown command %1").arg(command));
    }
}

// ---- Setting the stage ----

void ScenarioRunner::setStage(const Line& line) {
    const QString command = word(line, 0);
    if (command == "pin") {
        const QString what = word(line, 1);
        const QString value = word(line, 2);
        if (what == "version") {
            const QStringList parts = value.split('.');
            if (parts.size() != 3) {
                fail(QStringLiteral("a version is major.minor.revision"));
            }
            desktop_.pinnedVersion = {parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
        } else if (what == "now") {
            desktop_.pinnedNow =
                QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            if (!desktop_.pinnedNow.isValid()) {
                fail(QStringLiteral("a time is written yyyy-MM-dd HH:mm:ss"));
            }
        } else if (what == "locale") {
            desktop_.pinnedLocale = QLocale(value);
        } else {
            fail(QStringLiteral("pin what? %1").arg(what));
        }
    } else if (command == "env") {
        const QString what = word(line, 1);
        const QByteArray name = word(line, 2).toLocal8Bit();
        if (what == "set") {
            qputenv(name.constData(), word(line, 3).toLocal8Bit());
        } else if (what == "unset") {
            qunsetenv(name.constData());
        } else {
            fail(QStringLiteral("env set or env unset"));
        }
    } else if (command == "mkdir") {
        if (!QDir().mkpath(word(line, 1))) {
            fail(QStringLiteral("cannot make the folder"));
        }
    } else if (command == "write") {
        QFile file(word(line, 1));
        if (!file.open(QIODevice::WriteOnly) || file.write(word(line, 2).toUtf8()) < 0) {
            fail(QStringLiteral("cannot write the file"));
        }
    } else if (command == "readonly") {
        const QString target = word(line, 1);
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                          QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                          QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (::geteuid() == 0) {
            if (!setImmutable(target, true)) {
                fail(QStringLiteral("cannot make %1 read-only for root here").arg(target));
            }
            immutable_ << target;
        }
    } else if (command == "chmod") {
        bool octal = false;
        const uint mode = word(line, 2).toUInt(&octal, 8);
        if (!octal || ::chmod(QFile::encodeName(word(line, 1)).constData(), mode) != 0) {
            fail(QStringLiteral("cannot set the permissions"));
        }
    } else if (command == "link") {
        if (::symlink(QFile::encodeName(word(line, 2)).constData(),
                      QFile::encodeName(word(line, 1)).constData()) != 0) {
            fail(QStringLiteral("cannot make the link"));
        }
    } else if (command == "device") {
        if (!makeDeviceNode(word(line, 1))) {
            fail(QStringLiteral("cannot make a device node or a pipe"));
        }
    } else if (command == "clipboard") {
        QApplication::clipboard()->setText(word(line, 1));
    } else if (command == "start") {
        if (started_) {
            fail(QStringLiteral("the program runs already"));
        }
        started_ = true;
        act([] { platform::window<shell::Start>().Show(); });
    } else if (command == "show") {
        const QString name = word(line, 1);
        if (!platform::windows().isKnown(name)) {
            fail(QStringLiteral("unknown window %1").arg(name));
        }
        started_ = true;
        act([&] { platform::windows().get(name).Show(); });
    } else if (command == "answer") {
        if (line.words.size() < 2) {
            fail(QStringLiteral("answer ok or cancel"));
        }
        for (int i = 1; i < line.words.size(); ++i) {
            const QString a = line.words[i];
            if (a != "ok" && a != "cancel") {
                fail(QStringLiteral("answer ok or cancel, not %1").arg(a));
            }
            desktop_.answerMessage(a == "ok" ? platform::MsgResult::Ok
                                             : platform::MsgResult::Cancel);
        }
    } else if (command == "dialog") {
        const QString what = word(line, 1);
        if (what == "save") {
            desktop_.answerDialog(word(line, 2));
        } else if (what == "cancel") {
            desktop_.answerDialog(testsupport::ScriptedDesktop::Cancelled{});
        } else if (what == "color") {
            desktop_.answerDialog(
                QColor(word(line, 2).toInt(), word(line, 3).toInt(), word(line, 4).toInt()));
        } else {
            fail(QStringLiteral("dialog save, cancel or color"));
        }
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

template <class T> T& ScenarioRunner::controlAs(const QString& name, const char* kind) {
    auto* typed = dynamic_cast<T*>(&control(name));
    if (!typed) {
        fail(QStringLiteral("%1 is not a %2").arg(name, QString::fromLatin1(kind)));
    }
    return *typed;
}

// ---- Acting as the user ----

namespace {

void sendKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

int mouseButton(const QString& name) {
    if (name == "left") {
        return platform::LeftButton;
    }
    if (name == "right") {
        return platform::RightButton;
    }
    if (name == "middle") {
        return platform::MiddleButton;
    }
    throw LineFailure{QStringLiteral("a button is left, right or middle")};
}

// The control a pointer event reaches: a disabled control counts as its container.
Control::MouseHandler* pointerTarget(Control& c, int which, Form*& formTarget) {
    formTarget = nullptr;
    Control* target = &c;
    QWidget* w = c.widget();
    while (!w->isEnabled()) {
        w = w->parentWidget();
        if (auto* f = dynamic_cast<Form*>(w)) {
            formTarget = f;
            return nullptr;
        }
        if (auto* container = dynamic_cast<Control*>(w)) {
            target = container;
        }
    }
    switch (which) {
    case 0:
        return &target->MouseMove;
    case 1:
        return &target->MouseDown;
    default:
        return &target->MouseUp;
    }
}

} // namespace

void ScenarioRunner::userAction(const Line& line) {
    const QString command = word(line, 0);
    if (command == "advance") {
        bool ok = false;
        const int ms = word(line, 1).toInt(&ok);
        if (!ok || ms < 0) {
            fail(QStringLiteral("advance takes milliseconds"));
        }
        act([ms] { platform::Timer::advanceClock(ms); });
        return;
    }
    if (command == "close") {
        Form& form = loadedWindow(word(line, 1));
        if (!form.isVisible()) {
            fail(QStringLiteral("the window is not on the screen"));
        }
        act([&form] { form.userClose(); });
        return;
    }
    if (command == "hover" && !word(line, 1).contains('.')) {
        Form& form = loadedWindow(word(line, 1));
        if (!form.isVisible()) {
            fail(QStringLiteral("the window is not on the screen"));
        }
        act([&form] { form.Form_MouseMove(0, 0, 0, 0); });
        return;
    }

    const QString name = word(line, 1);
    if (command == "hover" || command == "mousedown" || command == "mouseup") {
        Control& c = control(name);
        if (!c.form() || !c.form()->isVisible() || !c.widget()->isVisibleTo(c.form())) {
            fail(QStringLiteral("%1 is not on the screen").arg(name));
        }
        const int which = command == "hover" ? 0 : command == "mousedown" ? 1 : 2;
        const int button = which == 0 ? 0 : mouseButton(word(line, 2));
        Form* formTarget = nullptr;
        Control::MouseHandler* handler = pointerTarget(c, which, formTarget);
        act([&] {
            if (formTarget) {
                if (which == 0) {
                    formTarget->Form_MouseMove(button, 0, 0, 0);
                } else if (which == 1) {
                    formTarget->Form_MouseDown(button, 0, 0, 0);
                } else {
                    formTarget->Form_MouseUp(button, 0, 0, 0);
                }
            } else if (handler && *handler) {
                (*handler)(button, 0, 0, 0);
            }
        });
        return;
    }

    Control& c = usableControl(name);
    if (command == "click") {
        act([&c] { c.userClick(); });
    } else if (command == "focus") {
        act([&c] { c.userFocus(); });
    } else if (command == "pick") {
        const QString item = word(line, 2);
        auto pickIn = [&](auto& list) {
            int index = -1;
            if (item.startsWith('#')) {
                index = item.mid(1).toInt();
            } else {
                for (int i = 0; i < list.ListCount(); ++i) {
                    if (list.List(i) == item) {
                        index = i;
                        break;
                    }
                }
            }
            if (index < 0 || index >= list.ListCount()) {
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
    } else if (command == "cell") {
        auto* grid = dynamic_cast<platform::Grid*>(&c);
        if (!grid) {
            fail(QStringLiteral("%1 is not a grid").arg(name));
        }
        const int row = word(line, 2).toInt(), col = word(line, 3).toInt();
        if (row < 0 || col < 0 || row >= grid->Rows() || col >= grid->Cols()) {
            fail(QStringLiteral("the grid has no cell %1 %2").arg(row).arg(col));
        }
        act([grid, row, col] { grid->userClickCell(row, col); });
    } else if (command == "key" && (word(line, 2) == "Tab" || word(line, 2) == "Shift+Tab")) {
        // Tab moves on from whatever control has the focus.
        bool focused = true;
        act([&] { focused = c.hasLogicalFocus() || c.userFocus(); });
        if (!focused) {
            fail(QStringLiteral("the focus could not move to %1").arg(name));
        }
        Form* form = c.form();
        const bool forward = word(line, 2) == "Tab";
        act([form, forward] { form->tabToNext(forward); });
    } else if (command == "type" || command == "key" || command == "paste" || command == "drop") {
        auto* box = dynamic_cast<platform::TextBox*>(&c);
        if (!box) {
            fail(QStringLiteral("%1 is not a text box").arg(name));
        }
        bool focused = true;
        act([&] { focused = c.hasLogicalFocus() || c.userFocus(); });
        if (!focused) {
            fail(QStringLiteral("the focus could not move to %1").arg(name));
        }
        Form* form = c.form();
        // Keys go where the focus is, as they would from a keyboard.
        auto focusedWidget = [form, box]() -> QWidget* {
            Control* active = form ? form->ActiveControl() : nullptr;
            return active ? active->widget() : box;
        };
        if (command == "type") {
            const QString text = word(line, 2);
            for (const QChar ch : text) {
                act([&] { sendKey(focusedWidget(), 0, Qt::NoModifier, QString(ch)); });
                if (desktop_.ended) {
                    break;
                }
            }
        } else if (command == "paste") {
            act([box] { box->insertFiltered(QApplication::clipboard()->text()); });
        } else if (command == "drop") {
            const QString text = word(line, 2);
            act([box, text] { box->insertFiltered(text); });
        } else {
            const QString keyName = word(line, 2);
            static const std::map<QString, std::pair<int, Qt::KeyboardModifiers>> keys{
                {"Backspace", {Qt::Key_Backspace, Qt::NoModifier}},
                {"Delete", {Qt::Key_Delete, Qt::NoModifier}},
                {"Enter", {Qt::Key_Return, Qt::NoModifier}},
                {"Escape", {Qt::Key_Escape, Qt::NoModifier}},
                {"Home", {Qt::Key_Home, Qt::NoModifier}},
                {"End", {Qt::Key_End, Qt::NoModifier}},
                {"Left", {Qt::Key_Left, Qt::NoModifier}},
                {"Right", {Qt::Key_Right, Qt::NoModifier}},
                {"Ctrl+A", {Qt::Key_A, Qt::ControlModifier}},
                {"Ctrl+C", {Qt::Key_C, Qt::ControlModifier}},
                {"Ctrl+V", {Qt::Key_V, Qt::ControlModifier}},
                {"Ctrl+X", {Qt::Key_X, Qt::ControlModifier}},
            };
            auto found = keys.find(keyName);
            if (found == keys.end()) {
                fail(QStringLiteral("unknown key %1").arg(keyName));
            }
            act([&] { sendKey(focusedWidget(), found->second.first, found->second.second, {}); });
        }
    }
}

// ---- Checking ----

void ScenarioRunner::check(const Line& line) {
    const QString what = word(line, 1);
    if (what == "ended" || what == "running") {
        if (desktop_.ended != (what == "ended")) {
            fail(desktop_.ended ? QStringLiteral("the program has ended")
                                : QStringLiteral("the program is still running"));
        }
        return;
    }
    if (what == "visible" || what == "hidden") {
        Form& form = loadedWindow(word(line, 2));
        if (form.isVisible() != (what == "visible")) {
            fail(form.isVisible() ? QStringLiteral("the window is visible")
                                  : QStringLiteral("the window is hidden"));
        }
        return;
    }
    if (what == "loaded" || what == "unloaded") {
        const QString name = word(line, 2);
        if (!platform::windows().isKnown(name)) {
            fail(QStringLiteral("unknown window %1").arg(name));
        }
        if (platform::windows().isLoaded(name) != (what == "loaded")) {
            fail(platform::windows().isLoaded(name) ? QStringLiteral("the window is loaded")
                                                    : QStringLiteral("the window is not loaded"));
        }
        return;
    }
    if (what == "active") {
        Form& form = loadedWindow(word(line, 2));
        if (platform::windows().active() != &form) {
            Form* active = platform::windows().active();
            fail(QStringLiteral("the active window is %1")
                     .arg(active ? active->formName() : QStringLiteral("none")));
        }
        return;
    }
    if (what == "caption" && !word(line, 2).contains('.')) {
        Form& form = loadedWindow(word(line, 2));
        if (form.Caption() != word(line, 3)) {
            fail(QStringLiteral("the caption is %1").arg(quoted(form.Caption())));
        }
        return;
    }
    if (what == "state") {
        const QString name = word(line, 2);
        const QString expected = word(line, 3);
        const common::PublicState& s = common::Public();
        QString actual;
        if (name == "ChannelCount") {
            actual = QString::number(s.ChannelCount);
        } else if (name == "DataChanged") {
            actual = s.DataChanged ? "true" : "false";
        } else if (name == "ResetInProgress") {
            actual = s.ResetInProgress ? "true" : "false";
        } else if (name == "SkipColorMixCheck") {
            actual = s.SkipColorMixCheck ? "true" : "false";
        } else if (name == "WindowTitle") {
            actual = s.WindowTitle;
        } else if (name == "EditingFileLabel") {
            actual = s.EditingFileLabel;
        } else {
            fail(QStringLiteral("unknown state %1").arg(name));
        }
        if (actual != expected) {
            fail(QStringLiteral("%1 is %2").arg(name, quoted(actual)));
        }
        return;
    }
    if (what == "store") {
        const QString name = word(line, 2);
        const stores::AdvancedStores& stores = common::Public().Stores;
        const stores::RecordStore* store = name == "ranges"     ? &stores.rangeTables
                                           : name == "palettes" ? &stores.paletteGroups
                                           : name == "macros"   ? &stores.macros
                                                                : nullptr;
        if (!store) {
            fail(QStringLiteral("a store is ranges, palettes or macros"));
        }
        if (QString::number(store->count()) != word(line, 3)) {
            fail(QStringLiteral("the store holds %1 records").arg(store->count()));
        }
        return;
    }
    if (what == "message" || what == "message-start") {
        checkMessage(line);
        return;
    }
    if (what == "no-message") {
        if (desktop_.messages.size() > checkedMessages_) {
            fail(QStringLiteral("a message was shown: %1")
                     .arg(quoted(desktop_.messages[checkedMessages_].text)));
        }
        return;
    }
    if (what == "command") {
        if (desktop_.commands.size() <= checkedCommands_) {
            fail(QStringLiteral("no command was started"));
        }
        const QString actual = desktop_.commands[checkedCommands_++].commandLine();
        if (actual != word(line, 2)) {
            fail(QStringLiteral("the command was %1").arg(quoted(actual)));
        }
        return;
    }
    if (what == "no-command") {
        if (desktop_.commands.size() > checkedCommands_) {
            fail(QStringLiteral("a command was started: %1")
                     .arg(quoted(desktop_.commands[checkedCommands_].commandLine())));
        }
        return;
    }
    if (what == "web") {
        if (desktop_.webAddresses.size() <= checkedWeb_) {
            fail(QStringLiteral("no web address was opened"));
        }
        const QString actual = desktop_.webAddresses[checkedWeb_++];
        if (actual != common::MakerWebAddress) {
            fail(QStringLiteral("the address was %1").arg(actual));
        }
        return;
    }
    if (what == "file" || what == "file-text") {
        QFile actual(word(line, 2));
        if (!actual.open(QIODevice::ReadOnly)) {
            fail(QStringLiteral("no file %1").arg(word(line, 2)));
        }
        const QByteArray got = actual.readAll();
        QByteArray expected;
        if (what == "file") {
            QFile expectedFile(word(line, 3));
            if (!expectedFile.open(QIODevice::ReadOnly)) {
                fail(QStringLiteral("no expected file %1").arg(word(line, 3)));
            }
            expected = expectedFile.readAll();
        } else {
            expected = word(line, 3).toUtf8();
        }
        if (got != expected) {
            qsizetype at = 0;
            while (at < got.size() && at < expected.size() && got[at] == expected[at]) {
                ++at;
            }
            const qsizetype lineNo = got.left(at).count('\n') + 1;
            fail(QStringLiteral("the bytes differ at offset %1 (line %2): got %3, expected %4")
                     .arg(at)
                     .arg(lineNo)
                     .arg(QString::fromLatin1(got.mid(at, 24).toPercentEncoding(" ;=-_.")),
                          QString::fromLatin1(expected.mid(at, 24).toPercentEncoding(" ;=-_."))));
        }
        return;
    }
    if (what == "save-dialog") {
        if (desktop_.saveDialogs.empty()) {
            fail(QStringLiteral("no save dialog was shown"));
        }
        const platform::SaveDialogRequest& d = desktop_.saveDialogs.back();
        if (d.initDir != word(line, 2) || d.fileName != word(line, 3)) {
            fail(QStringLiteral("the dialog opened in %1 offering %2")
                     .arg(quoted(d.initDir), quoted(d.fileName)));
        }
        return;
    }
    if (what == "file-start") {
        QFile actual(word(line, 2));
        if (!actual.open(QIODevice::ReadOnly)) {
            fail(QStringLiteral("no file %1").arg(word(line, 2)));
        }
        const QByteArray expected = word(line, 3).toUtf8();
        const QByteArray got = actual.read(expected.size());
        if (got != expected) {
            fail(QStringLiteral("the file starts with %1").arg(quoted(QString::fromUtf8(got))));
        }
        return;
    }
    if (what == "kind") {
        const QString kind = kindOf(word(line, 2));
        if (kind != word(line, 3)) {
            fail(kind.isEmpty() ? QStringLiteral("nothing stands there")
                                : QStringLiteral("it is a %1").arg(kind));
        }
        return;
    }
    if (what == "mode") {
        struct stat status {};
        if (::stat(QFile::encodeName(word(line, 2)).constData(), &status) != 0) {
            fail(QStringLiteral("no file %1").arg(word(line, 2)));
        }
        const QString mode = QString::number(status.st_mode & 07777, 8);
        if (mode != word(line, 3)) {
            fail(QStringLiteral("the permissions are %1").arg(mode));
        }
        return;
    }
    if (what == "no-file") {
        if (QFileInfo::exists(word(line, 2))) {
            fail(QStringLiteral("the file exists"));
        }
        return;
    }
    if (what == "setting") {
        const QString actual = platform::GetSetting(QStringLiteral("TavoK36Edit"), word(line, 2),
                                                    word(line, 3), QStringLiteral("-"));
        if (actual != word(line, 4)) {
            fail(QStringLiteral("the setting is %1").arg(quoted(actual)));
        }
        return;
    }
    checkControl(what, line);
}

void ScenarioRunner::checkMessage(const Line& line) {
    if (desktop_.messages.size() <= checkedMessages_) {
        fail(QStringLiteral("no further message was shown"));
    }
    const platform::MessageRequest& m = desktop_.messages[checkedMessages_++];
    const QString text = word(line, 2);
    const bool whole = word(line, 1) == "message";
    if (whole ? m.text != text : !m.text.startsWith(text)) {
        fail(QStringLiteral("the message was %1").arg(quoted(m.text)));
    }
    platform::MsgButtons buttons = platform::MsgButtons::OkOnly;
    platform::MsgIcon icon = platform::MsgIcon::None;
    QString title = platform::defaultMessageTitle();
    bool cancelDefault = false;
    for (int i = 3; i < line.words.size(); ++i) {
        const QString option = line.words[i];
        if (option == "okcancel") {
            buttons = platform::MsgButtons::OkCancel;
        } else if (option == "exclamation") {
            icon = platform::MsgIcon::Exclamation;
        } else if (option == "information") {
            icon = platform::MsgIcon::Information;
        } else if (option == "cancel-default") {
            cancelDefault = true;
        } else if (option == "title") {
            title = word(line, ++i);
        } else {
            fail(QStringLiteral("unknown message option %1").arg(option));
        }
    }
    if (m.buttons != buttons) {
        fail(m.buttons == platform::MsgButtons::OkCancel ? QStringLiteral("it had OK and Cancel")
                                                         : QStringLiteral("it had only OK"));
    }
    if (m.icon != icon) {
        fail(QStringLiteral("its icon was %1")
                 .arg(m.icon == platform::MsgIcon::None          ? "none"
                      : m.icon == platform::MsgIcon::Exclamation ? "exclamation"
                                                                 : "information"));
    }
    if (m.title != title) {
        fail(QStringLiteral("its title was %1").arg(quoted(m.title)));
    }
    if (m.cancelIsDefault != cancelDefault) {
        fail(m.cancelIsDefault ? QStringLiteral("Cancel was the default button")
                               : QStringLiteral("OK was the default button"));
    }
}

void ScenarioRunner::checkControl(const QString& what, const Line& line) {
    const QString name = word(line, 2);
    Control& c = control(name);
    auto expectText = [&](const QString& actual, const QString& expected) {
        if (actual != expected) {
            fail(QStringLiteral("%1 is %2").arg(what, quoted(actual)));
        }
    };
    auto expectColor = [&](const QColor& actual) {
        const QString colorName = word(line, 3);
        QColor expected;
        if (colorName == "highlight") {
            expected = platform::systemHighlight();
        } else if (colorName == "windowtext") {
            expected = platform::systemWindowText();
        } else if (colorName == "buttonface") {
            expected = platform::systemButtonFace();
        } else {
            expected = QColor(colorName.toInt(), word(line, 4).toInt(), word(line, 5).toInt());
        }
        if (actual.rgb() != expected.rgb()) {
            fail(QStringLiteral("the colour is %1").arg(describe(actual)));
        }
    };

    if (what == "caption") {
        QString actual;
        if (auto* b = dynamic_cast<platform::CommandButton*>(&c)) {
            actual = b->Caption();
        } else if (auto* l = dynamic_cast<platform::Label*>(&c)) {
            actual = l->Caption();
        } else if (auto* o = dynamic_cast<platform::OptionButton*>(&c)) {
            actual = o->Caption();
        } else if (auto* f = dynamic_cast<platform::Frame*>(&c)) {
            actual = f->Caption();
        } else {
            fail(QStringLiteral("%1 has no caption").arg(name));
        }
        expectText(actual, word(line, 3));
    } else if (what == "text") {
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
        expectText(actual, word(line, 3));
    } else if (what == "selection") {
        auto& box = controlAs<platform::TextBox>(name, "text box");
        const QString actual = QStringLiteral("%1 %2").arg(box.SelStart()).arg(box.SelLength());
        expectText(actual, word(line, 3) + ' ' + word(line, 4));
    } else if (what == "enabled") {
        if (c.Enabled() != flag(word(line, 3))) {
            fail(c.Enabled() ? QStringLiteral("it is enabled") : QStringLiteral("it is disabled"));
        }
    } else if (what == "shown") {
        if (c.Visible() != flag(word(line, 3))) {
            fail(c.Visible() ? QStringLiteral("it is shown") : QStringLiteral("it is hidden"));
        }
    } else if (what == "value") {
        QString actual;
        if (auto* o = dynamic_cast<platform::OptionButton*>(&c)) {
            actual = o->Value() ? "true" : "false";
        } else if (auto* s = dynamic_cast<platform::HScrollBar*>(&c)) {
            actual = QString::number(s->Value());
        } else {
            fail(QStringLiteral("%1 has no value").arg(name));
        }
        expectText(actual, word(line, 3));
    } else if (what == "focus") {
        Form* form = c.form();
        Control* active = form ? form->ActiveControl() : nullptr;
        if (active != &c) {
            fail(QStringLiteral("the focus is on %1")
                     .arg(active ? active->fullName() : QStringLiteral("nothing")));
        }
    } else if (what == "back") {
        if (auto* b = dynamic_cast<platform::CommandButton*>(&c)) {
            expectColor(b->BackColor());
        } else if (auto* t = dynamic_cast<platform::TextBox*>(&c)) {
            expectColor(t->BackColor());
        } else if (auto* o = dynamic_cast<platform::OptionButton*>(&c)) {
            expectColor(o->BackColor());
        } else if (auto* l = dynamic_cast<platform::Label*>(&c)) {
            expectColor(l->BackColor());
        } else if (auto* p = dynamic_cast<platform::PictureBox*>(&c)) {
            expectColor(p->BackColor());
        } else {
            fail(QStringLiteral("%1 has no back colour").arg(name));
        }
    } else if (what == "fore") {
        if (auto* l = dynamic_cast<platform::Label*>(&c)) {
            expectColor(l->ForeColor());
        } else if (auto* t = dynamic_cast<platform::TextBox*>(&c)) {
            expectColor(t->ForeColor());
        } else {
            fail(QStringLiteral("%1 has no fore colour").arg(name));
        }
    } else if (what == "border") {
        expectColor(controlAs<platform::Line>(name, "line").BorderColor());
    } else if (what == "height") {
        expectText(QString::number(c.Height()), word(line, 3));
    } else if (what == "tooltip") {
        expectText(c.ToolTipText(), word(line, 3));
    } else if (what == "items") {
        QStringList items;
        if (auto* cb = dynamic_cast<platform::ComboBox*>(&c)) {
            for (int i = 0; i < cb->ListCount(); ++i) {
                items << cb->List(i);
            }
        } else if (auto* lb = dynamic_cast<platform::ListBox*>(&c)) {
            for (int i = 0; i < lb->ListCount(); ++i) {
                items << lb->List(i);
            }
        } else {
            fail(QStringLiteral("%1 is not a list").arg(name));
        }
        const QStringList expected = line.words.mid(3);
        if (items != expected) {
            QStringList shown;
            for (const QString& item : items) {
                shown << quoted(item);
            }
            fail(QStringLiteral("the items are %1").arg(shown.join(' ')));
        }
    } else if (what == "index") {
        int index = 0;
        if (auto* cb = dynamic_cast<platform::ComboBox*>(&c)) {
            index = cb->ListIndex();
        } else if (auto* lb = dynamic_cast<platform::ListBox*>(&c)) {
            index = lb->ListIndex();
        } else {
            fail(QStringLiteral("%1 is not a list").arg(name));
        }
        expectText(QString::number(index), word(line, 3));
    } else if (what == "rows" || what == "cols" || what == "cell" || what == "row") {
        auto& grid = controlAs<platform::Grid>(name, "grid");
        if (what == "rows") {
            expectText(QString::number(grid.Rows()), word(line, 3));
        } else if (what == "cols") {
            expectText(QString::number(grid.Cols()), word(line, 3));
        } else if (what == "cell") {
            const int row = word(line, 3).toInt(), col = word(line, 4).toInt();
            if (row >= grid.Rows() || col >= grid.Cols()) {
                fail(QStringLiteral("the grid has no cell %1 %2").arg(row).arg(col));
            }
            expectText(grid.TextMatrix(row, col), word(line, 5));
        } else {
            const int row = word(line, 3).toInt();
            if (row >= grid.Rows()) {
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
    } else {
        fail(QStringLiteral("unknown check %1").arg(what));
    }
}

#pragma once

#include <QColor>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The one seam between the editor and the desktop it runs on: message boxes,
// the common dialogs, starting other programs, the clock, modal loops and the
// end of the program. The editor's own desktop shows real dialogs; the tests
// and the scenario runner install a scripted one that answers and records.
namespace platform {

enum class MsgButtons { OkOnly, OkCancel };
enum class MsgIcon { None, Exclamation, Information };
enum class MsgResult { Ok, Cancel };

struct MessageRequest {
    QString text;
    MsgButtons buttons = MsgButtons::OkOnly;
    MsgIcon icon = MsgIcon::None;
    QString title; // already resolved: never empty when shown
    bool cancelIsDefault = false;
};

struct SaveDialogRequest {
    QString initDir;
    QString filter; // "description|pattern" pairs as the editor keeps them
    int filterIndex = 1;
    QString defaultExt;
    QString fileName;
    bool overwritePrompt = true;
    bool createPrompt = false; // ask before a name that does not exist yet is returned
    QString title;
};

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// Thrown by a scripted desktop where the real one ends the process, so that
// a test sees the end of the program and nothing after it runs.
struct ProgramEnded {};

// Runs what the toolkit's own delivery of an event calls: a click of a button, a close box. Only
// such a click and a close box can end the program, and the end stops here: thrown further, it
// would cross the toolkit's frames, which do not unwind cleanly. The real desktop ends the
// process, so nothing reaches this then.
void runDeliveredHandler(const std::function<void()>& handler);

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual MsgResult showMessage(const MessageRequest& request) = 0;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> showSaveDialog(const SaveDialogRequest& request) = 0;
    virtual std::optional<QColor> showColorDialog(const QColor& initial) = 0;

    // Starts a program with its arguments, without a shell and without waiting.
    virtual void startDetached(const QString& program, const QStringList& arguments) = 0;
    virtual void openWebAddress(const QString& address) = 0;

    virtual QDateTime now() const = 0;
    // The system's locale, which decides how dates are written.
    virtual QLocale locale() const = 0;
    virtual ProgramVersion version() const = 0;

    // Runs the events of the program until stillOpen() turns false.
    virtual void runModalLoop(const std::function<bool()>& stillOpen) = 0;

    // Ends the program at once: no closing handler runs and nothing after the call.
    [[noreturn]] virtual void endProgram() = 0;
    // The last loaded window went away.
    virtual void lastWindowUnloaded() = 0;
};

Desktop& desktop();
// Installs another desktop (tests); nullptr restores the real one.
void setDesktop(Desktop* replacement);

// The caption of message boxes that pass no title of their own.
void setDefaultMessageTitle(const QString& title);
QString defaultMessageTitle();

// While one stands, an OK-only message already shown since it began is not shown again (it
// counts as answered OK): text that arrives at once, such as a paste or a drop, and that a rule
// refuses one character after another is told about once. Questions are asked every time.
class OneNoticePerInput {
public:
    OneNoticePerInput();
    ~OneNoticePerInput();
    OneNoticePerInput(const OneNoticePerInput&) = delete;
    OneNoticePerInput& operator=(const OneNoticePerInput&) = delete;
};

MsgResult msgBox(const QString& text, MsgButtons buttons = MsgButtons::OkOnly,
                 MsgIcon icon = MsgIcon::None, const QString& title = {},
                 bool cancelIsDefault = false);

ProgramVersion programVersion();

class RealDesktop : public Desktop {
public:
    MsgResult showMessage(const MessageRequest& request) override;
    std::optional<QString> showSaveDialog(const SaveDialogRequest& request) override;
    std::optional<QColor> showColorDialog(const QColor& initial) override;
    void startDetached(const QString& program, const QStringList& arguments) override;
    void openWebAddress(const QString& address) override;
    QDateTime now() const override;
    QLocale locale() const override { return QLocale::system(); }
    ProgramVersion version() const override;
    void runModalLoop(const std::function<bool()>& stillOpen) override;
    [[noreturn]] void endProgram() override;
    void lastWindowUnloaded() override;
};

// Turns "desc|pattern|desc|pattern" into the filter list of a file dialog.
QStringList dialogFilters(const QString& filter);

} // namespace platform

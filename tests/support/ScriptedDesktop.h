#pragma once

#include "platform/Desktop.h"

#include <deque>
#include <variant>
#include <vector>

namespace testsupport {

using platform::MessageRequest;
using platform::MsgResult;
using platform::ProgramVersion;
using platform::SaveDialogRequest;

// A desktop for tests: dialogs take queued answers, and everything the
// program shows or starts is recorded. It shows nothing on the screen.
class ScriptedDesktop : public platform::Desktop {
public:
    struct StartedCommand {
        QString program;
        QStringList arguments;
        QString commandLine() const;
    };
    struct Cancelled {};
    using DialogAnswer = std::variant<Cancelled, QString, QColor>;
    enum class Asked { Message, SaveDialog, ColorDialog };

    void answerMessage(MsgResult answer) { messageAnswers.push_back(answer); }
    void answerDialog(DialogAnswer answer) { dialogAnswers.push_back(std::move(answer)); }

    std::deque<MsgResult> messageAnswers;
    std::deque<DialogAnswer> dialogAnswers;
    std::vector<MessageRequest> messages;
    std::vector<SaveDialogRequest> saveDialogs;
    std::vector<StartedCommand> commands;
    std::vector<QString> webAddresses;
    // What went wrong that no rule of the program could see: a message or a
    // dialog that came with no answer queued for it.
    std::vector<QString> problems;

    QDateTime pinnedNow;
    QLocale pinnedLocale = QLocale::system();
    ProgramVersion pinnedVersion{K36_VERSION_MAJOR, K36_VERSION_MINOR, K36_VERSION_PATCH};
    bool ended = false;
    // Called while a modal window is open, until it closes.
    std::function<void(const std::function<bool()>& stillOpen)> modalDriver;
    // Called when a message or dialog, already recorded, finds no answer queued: it may queue
    // one there and then, as a user at the screen answers what comes up.
    std::function<void(Asked)> answerOnTheSpot;

    MsgResult showMessage(const MessageRequest& request) override;
    std::optional<QString> showSaveDialog(const SaveDialogRequest& request) override;
    std::optional<QColor> showColorDialog(const QColor& initial) override;
    void startDetached(const QString& program, const QStringList& arguments) override;
    void openWebAddress(const QString& address) override;
    QDateTime now() const override;
    QLocale locale() const override { return pinnedLocale; }
    ProgramVersion version() const override { return pinnedVersion; }
    void runModalLoop(const std::function<bool()>& stillOpen) override;
    [[noreturn]] void endProgram() override;
    void lastWindowUnloaded() override { ended = true; }

private:
    // The answer at the front of the queue when it is of type T (then it leaves the queue, as
    // does an answer of another type); nothing, with a problem noted, when none is queued.
    template <class T> std::optional<T> takeDialogAnswer(Asked asked, const QString& dialog);
};

} // namespace testsupport

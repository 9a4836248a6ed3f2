#include "tests/support/ScriptedDesktop.h"

#include <QCoreApplication>

namespace testsupport {

QString ScriptedDesktop::StartedCommand::commandLine() const {
    return arguments.isEmpty() ? program : program + ' ' + arguments.join(' ');
}

MsgResult ScriptedDesktop::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty() && answerOnTheSpot) {
        answerOnTheSpot(Asked::Message);
    }
    if (messageAnswers.empty()) {
        problems.push_back(
            QStringLiteral("message \"%1\" came with no answer queued").arg(request.text));
        return MsgResult::Ok;
    }
    const MsgResult answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

template <class T>
std::optional<T> ScriptedDesktop::takeDialogAnswer(Asked asked, const QString& dialog) {
    if (dialogAnswers.empty() && answerOnTheSpot) {
        answerOnTheSpot(asked);
    }
    if (dialogAnswers.empty()) {
        problems.push_back(dialog + QStringLiteral(" came with no answer queued"));
        return std::nullopt;
    }
    std::optional<T> answer;
    if (const T* given = std::get_if<T>(&dialogAnswers.front())) {
        answer = *given;
    }
    dialogAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDesktop::showSaveDialog(const SaveDialogRequest& request) {
    saveDialogs.push_back(request);
    return takeDialogAnswer<QString>(Asked::SaveDialog, QStringLiteral("save dialog"));
}

std::optional<QColor> ScriptedDesktop::showColorDialog(const QColor&) {
    return takeDialogAnswer<QColor>(Asked::ColorDialog, QStringLiteral("colour dialog"));
}

void ScriptedDesktop::startDetached(const QString& program, const QStringList& arguments) {
    commands.push_back({program, arguments});
}

void ScriptedDesktop::openWebAddress(const QString& address) {
    webAddresses.push_back(address);
}

QDateTime ScriptedDesktop::now() const {
    return pinnedNow.isValid() ? pinnedNow : QDateTime::currentDateTime();
}

void ScriptedDesktop::runModalLoop(const std::function<bool()>& stillOpen) {
    if (modalDriver) {
        modalDriver(stillOpen);
        // The program ended while the window was open: the code that opened it never goes on.
        if (ended) {
            throw platform::ProgramEnded{};
        }
        return;
    }
    // Without a driver nobody could close the window: give up at once rather than hang.
    if (stillOpen()) {
        problems.push_back(QStringLiteral("a modal window opened with nothing to drive it"));
    }
}

void ScriptedDesktop::endProgram() {
    ended = true;
    throw platform::ProgramEnded{};
}

} // namespace testsupport

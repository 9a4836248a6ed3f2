#include "platform/ScriptedDesktop.h"

#include <QCoreApplication>

namespace platform {

QString ScriptedDesktop::StartedCommand::commandLine() const {
    return arguments.isEmpty() ? program : program + ' ' + arguments.join(' ');
}

MsgResult ScriptedDesktop::showMessage(const MessageRequest& request) {
    messages.push_back(request);
    if (messageAnswers.empty()) {
        problems.push_back(
            QStringLiteral("message \"%1\" came with no answer queued").arg(request.text));
        return MsgResult::Ok;
    }
    const MsgResult answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDesktop::showSaveDialog(const SaveDialogRequest& request) {
    saveDialogs.push_back(request);
    if (dialogAnswers.empty()) {
        problems.push_back(QStringLiteral("save dialog came with no answer queued"));
        return std::nullopt;
    }
    DialogAnswer answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    if (const QString* path = std::get_if<QString>(&answer)) {
        return *path;
    }
    return std::nullopt;
}

std::optional<QColor> ScriptedDesktop::showColorDialog(const QColor&) {
    if (dialogAnswers.empty()) {
        problems.push_back(QStringLiteral("colour dialog came with no answer queued"));
        return std::nullopt;
    }
    DialogAnswer answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    if (const QColor* color = std::get_if<QColor>(&answer)) {
        return *color;
    }
    return std::nullopt;
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
        return;
    }
    // Without a driver nobody could close the window: give up at once rather than hang.
    if (stillOpen()) {
        problems.push_back(QStringLiteral("a modal window opened with nothing to drive it"));
    }
}

void ScriptedDesktop::endProgram() {
    ended = true;
    throw ProgramEnded{};
}

} // namespace platform

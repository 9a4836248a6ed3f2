#include "platform/Desktop.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {
Desktop* installed = nullptr;
QString messageTitle;

// The notices shown since the outermost OneNoticePerInput began; depth 0: none stands.
int noticeScopeDepth = 0;
std::vector<MessageRequest> noticesShown;

bool sameNotice(const MessageRequest& a, const MessageRequest& b) {
    return a.text == b.text && a.icon == b.icon && a.title == b.title;
}

bool alreadyNoticed(const MessageRequest& request) {
    return std::any_of(noticesShown.begin(), noticesShown.end(),
                       [&](const MessageRequest& shown) { return sameNotice(shown, request); });
}
} // namespace

OneNoticePerInput::OneNoticePerInput() {
    ++noticeScopeDepth;
}

OneNoticePerInput::~OneNoticePerInput() {
    if (--noticeScopeDepth == 0) {
        noticesShown.clear();
    }
}

Desktop& desktop() {
    static RealDesktop real;
    return installed ? *installed : real;
}

void setDesktop(Desktop* replacement) {
    installed = replacement;
}

void setDefaultMessageTitle(const QString& title) {
    messageTitle = title;
}

QString defaultMessageTitle() {
    return messageTitle.isEmpty() ? QCoreApplication::applicationName() : messageTitle;
}

MsgResult msgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                 bool cancelIsDefault) {
    MessageRequest request{text, buttons, icon, title.isEmpty() ? defaultMessageTitle() : title,
                           cancelIsDefault};
    // A question is always asked: its answer may differ each time.
    if (noticeScopeDepth == 0 || buttons != MsgButtons::OkOnly) {
        return desktop().showMessage(request);
    }
    if (alreadyNoticed(request)) {
        return MsgResult::Ok;
    }
    noticesShown.push_back(request);
    return desktop().showMessage(request);
}

ProgramVersion programVersion() {
    return desktop().version();
}

QStringList dialogFilters(const QString& filter) {
    QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const QString pattern = QString(parts[i + 1]).replace(';', ' ');
        if (!description.contains('(')) {
            description += " (" + pattern + ")";
        }
        filters << description;
    }
    return filters;
}

MsgResult RealDesktop::showMessage(const MessageRequest& request) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    QPushButton* ok = box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
    QPushButton* cancel = nullptr;
    if (request.buttons == MsgButtons::OkCancel) {
        cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(request.cancelIsDefault && cancel ? cancel : ok);
    box.exec();
    return box.clickedButton() == ok ? MsgResult::Ok : MsgResult::Cancel;
}

std::optional<QString> RealDesktop::showSaveDialog(const SaveDialogRequest& request) {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.initDir);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = dialogFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    }
    dialog.setDefaultSuffix(request.defaultExt);
    if (!request.overwritePrompt) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    }
    if (!request.fileName.isEmpty()) {
        dialog.selectFile(request.fileName);
    }
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return std::nullopt;
        }
        const QString chosen = dialog.selectedFiles().constFirst();
        if (!request.createPrompt || QFileInfo::exists(chosen)) {
            return chosen;
        }
        // No goes back to the dialog, as the system's own create prompt does.
        QMessageBox ask(QMessageBox::Warning, dialog.windowTitle(),
                        QStringLiteral("%1\n此文件不存在。\n要创建该文件吗？")
                            .arg(QDir::toNativeSeparators(chosen)),
                        QMessageBox::NoButton, &dialog);
        QPushButton* yes = ask.addButton(QStringLiteral("是"), QMessageBox::YesRole);
        QPushButton* no = ask.addButton(QStringLiteral("否"), QMessageBox::NoRole);
        ask.setDefaultButton(yes);
        ask.setEscapeButton(no);
        ask.exec();
        if (ask.clickedButton() == yes) {
            return chosen;
        }
        dialog.selectFile(chosen);
    }
}

std::optional<QColor> RealDesktop::showColorDialog(const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

void RealDesktop::startDetached(const QString& program, const QStringList& arguments) {
    QProcess::startDetached(program, arguments);
}

void RealDesktop::openWebAddress(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

QDateTime RealDesktop::now() const {
    return QDateTime::currentDateTime();
}

ProgramVersion RealDesktop::version() const {
    return {K36_VERSION_MAJOR, K36_VERSION_MINOR, K36_VERSION_PATCH};
}

void RealDesktop::runModalLoop(const std::function<bool()>& stillOpen) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!stillOpen()) {
            loop.quit();
        }
    });
    poll.start(20);
    if (stillOpen()) {
        loop.exec();
    }
}

void runDeliveredHandler(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const ProgramEnded&) {
        // The program has ended: nothing of it runs after this.
    }
}

void RealDesktop::endProgram() {
    std::fflush(nullptr);
    std::_Exit(0);
}

void RealDesktop::lastWindowUnloaded() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::quit(); });
}

} // namespace platform

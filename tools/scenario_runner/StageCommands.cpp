// Setting the stage: what the scenario pins, makes and queues before the user acts.

#include "Files.h"
#include "ScenarioRunner.h"
#include "shell/Start.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

const ScenarioRunner::Table& ScenarioRunner::stageCommands() {
    static const Table table{
        {"pin", &ScenarioRunner::pin},
        {"env", &ScenarioRunner::env},
        {"mkdir", &ScenarioRunner::makeFolder},
        {"write", &ScenarioRunner::writeFile},
        {"readonly", &ScenarioRunner::makeReadOnly},
        {"chmod", &ScenarioRunner::setMode},
        {"link", &ScenarioRunner::makeLink},
        {"device", &ScenarioRunner::makeDevice},
        {"clipboard", &ScenarioRunner::putOnClipboard},
        {"start", &ScenarioRunner::start},
        {"show", &ScenarioRunner::showWindow},
        {"answer", &ScenarioRunner::answer},
        {"dialog", &ScenarioRunner::answerDialog},
    };
    return table;
}

void ScenarioRunner::pin(const Line& line) {
    const QString what = word(line, 1);
    const QString value = word(line, 2);
    if (what == "version") {
        const QStringList parts = value.split('.');
        if (parts.size() != 3) {
            fail(QStringLiteral("a version is major.minor.revision"));
        }
        desktop_.pinnedVersion = {parts[0].toInt(), parts[1].toInt(), parts[2].toInt()};
    } else if (what == "now") {
        desktop_.pinnedNow = QDateTime::fromString(value, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!desktop_.pinnedNow.isValid()) {
            fail(QStringLiteral("a time is written yyyy-MM-dd HH:mm:ss"));
        }
    } else if (what == "locale") {
        desktop_.pinnedLocale = QLocale(value);
    } else {
        fail(QStringLiteral("pin what? %1").arg(what));
    }
}

void ScenarioRunner::env(const Line& line) {
    const QString what = word(line, 1);
    const QByteArray name = word(line, 2).toLocal8Bit();
    if (what == "set") {
        qputenv(name.constData(), word(line, 3).toLocal8Bit());
    } else if (what == "unset") {
        qunsetenv(name.constData());
    } else {
        fail(QStringLiteral("env set or env unset"));
    }
}

void ScenarioRunner::makeFolder(const Line& line) {
    if (!QDir().mkpath(word(line, 1))) {
        fail(QStringLiteral("cannot make the folder"));
    }
}

void ScenarioRunner::writeFile(const Line& line) {
    QFile file(word(line, 1));
    if (!file.open(QIODevice::WriteOnly) || file.write(word(line, 2).toUtf8()) < 0) {
        fail(QStringLiteral("cannot write the file"));
    }
}

void ScenarioRunner::makeReadOnly(const Line& line) {
    const QString target = word(line, 1);
    QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                      QFileDevice::ReadOther | QFileDevice::ExeOther);
    if (::geteuid() == 0) {
        if (!runner::setImmutable(target, true)) {
            fail(QStringLiteral("cannot make %1 read-only for root here").arg(target));
        }
        immutable_ << target;
    }
}

void ScenarioRunner::setMode(const Line& line) {
    bool octal = false;
    const uint mode = word(line, 2).toUInt(&octal, 8);
    if (!octal || ::chmod(QFile::encodeName(word(line, 1)).constData(), mode) != 0) {
        fail(QStringLiteral("cannot set the permissions"));
    }
}

void ScenarioRunner::makeLink(const Line& line) {
    if (::symlink(QFile::encodeName(word(line, 2)).constData(),
                  QFile::encodeName(word(line, 1)).constData()) != 0) {
        fail(QStringLiteral("cannot make the link"));
    }
}

void ScenarioRunner::makeDevice(const Line& line) {
    if (!runner::makeDeviceNode(word(line, 1))) {
        fail(QStringLiteral("cannot make a device node or a pipe"));
    }
}

void ScenarioRunner::putOnClipboard(const Line& line) {
    QApplication::clipboard()->setText(repeatedText(line, 1));
}

void ScenarioRunner::start(const Line&) {
    if (started_) {
        fail(QStringLiteral("the program runs already"));
    }
    started_ = true;
    act([] { platform::window<shell::Start>().Show(); });
}

void ScenarioRunner::showWindow(const Line& line) {
    const QString name = word(line, 1);
    if (!platform::windows().isKnown(name)) {
        fail(QStringLiteral("unknown window %1").arg(name));
    }
    started_ = true;
    act([&] { platform::windows().get(name).Show(); });
}

void ScenarioRunner::answer(const Line& line) {
    if (line.words.size() < 2) {
        fail(QStringLiteral("answer ok or cancel"));
    }
    for (const QString& given : line.words.mid(1)) {
        if (given != "ok" && given != "cancel") {
            fail(QStringLiteral("answer ok or cancel, not %1").arg(given));
        }
        desktop_.answerMessage(given == "ok" ? platform::MsgResult::Ok
                                             : platform::MsgResult::Cancel);
    }
}

void ScenarioRunner::answerDialog(const Line& line) {
    const QString what = word(line, 1);
    if (what == "save") {
        desktop_.answerDialog(word(line, 2));
    } else if (what == "cancel") {
        desktop_.answerDialog(testsupport::ScriptedDesktop::Cancelled{});
    } else if (what == "color") {
        desktop_.answerDialog(QColor(number(line, 2), number(line, 3), number(line, 4)));
    } else {
        fail(QStringLiteral("dialog save, cancel or color"));
    }
}

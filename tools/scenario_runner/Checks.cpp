// Checks of the program, its windows, its stores, its desktop and its files.

#include "Files.h"
#include "RunnerText.h"
#include "ScenarioRunner.h"
#include "common/Public.h"
#include "platform/Controls.h"
#include "platform/Services.h"

#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <optional>

#include <sys/stat.h>

using platform::Control;
using platform::Form;
using runner::quoted;

const ScenarioRunner::Table& ScenarioRunner::checks() {
    static const Table table{
        {"ended", &ScenarioRunner::expectEnded},
        {"running", &ScenarioRunner::expectEnded},
        {"visible", &ScenarioRunner::expectVisible},
        {"hidden", &ScenarioRunner::expectVisible},
        {"loaded", &ScenarioRunner::expectLoaded},
        {"unloaded", &ScenarioRunner::expectLoaded},
        {"active", &ScenarioRunner::expectActive},
        {"caption", &ScenarioRunner::expectCaption},
        {"height", &ScenarioRunner::expectHeight},
        {"place", &ScenarioRunner::expectPlace},
        {"centred", &ScenarioRunner::expectCentred},
        {"state", &ScenarioRunner::expectState},
        {"store", &ScenarioRunner::expectStore},
        {"record", &ScenarioRunner::expectRecord},
        {"table", &ScenarioRunner::expectTable},
        {"message", &ScenarioRunner::expectMessage},
        {"no-message", &ScenarioRunner::expectNoMessage},
        {"command", &ScenarioRunner::expectCommand},
        {"no-command", &ScenarioRunner::expectNoCommand},
        {"web", &ScenarioRunner::expectWeb},
        {"file", &ScenarioRunner::expectFile},
        {"file-text", &ScenarioRunner::expectFile},
        {"kind", &ScenarioRunner::expectKind},
        {"mode", &ScenarioRunner::expectMode},
        {"no-file", &ScenarioRunner::expectNoFile},
        {"save-dialog", &ScenarioRunner::expectSaveDialog},
        {"setting", &ScenarioRunner::expectSetting},
        // Checks of one control (ControlChecks.cpp)
        {"text", &ScenarioRunner::expectText},
        {"selection", &ScenarioRunner::expectSelection},
        {"enabled", &ScenarioRunner::expectEnabled},
        {"shown", &ScenarioRunner::expectShown},
        {"value", &ScenarioRunner::expectValue},
        {"focus", &ScenarioRunner::expectFocus},
        {"back", &ScenarioRunner::expectBack},
        {"fore", &ScenarioRunner::expectFore},
        {"border", &ScenarioRunner::expectBorder},
        {"tooltip", &ScenarioRunner::expectTooltip},
        {"items", &ScenarioRunner::expectItems},
        {"index", &ScenarioRunner::expectIndex},
        {"rows", &ScenarioRunner::expectRows},
        {"cols", &ScenarioRunner::expectCols},
        {"cell", &ScenarioRunner::expectCell},
        {"row", &ScenarioRunner::expectRow},
        {"cellback", &ScenarioRunner::expectCellBack},
        {"pixel", &ScenarioRunner::expectPixel},
    };
    return table;
}

// ---- The program and its windows ----

void ScenarioRunner::expectEnded(const Line& line) {
    if (desktop_.ended != (word(line, 1) == "ended")) {
        fail(desktop_.ended ? QStringLiteral("the program has ended")
                            : QStringLiteral("the program is still running"));
    }
}

void ScenarioRunner::expectVisible(const Line& line) {
    const Form& form = loadedWindow(word(line, 2));
    if (form.isVisible() != (word(line, 1) == "visible")) {
        fail(form.isVisible() ? QStringLiteral("the window is visible")
                              : QStringLiteral("the window is hidden"));
    }
}

void ScenarioRunner::expectLoaded(const Line& line) {
    const QString name = word(line, 2);
    if (!platform::windows().isKnown(name)) {
        fail(QStringLiteral("unknown window %1").arg(name));
    }
    const bool loaded = platform::windows().isLoaded(name);
    if (loaded != (word(line, 1) == "loaded")) {
        fail(loaded ? QStringLiteral("the window is loaded")
                    : QStringLiteral("the window is not loaded"));
    }
}

void ScenarioRunner::expectActive(const Line& line) {
    const Form& form = loadedWindow(word(line, 2));
    const Form* active = platform::windows().active();
    if (active != &form) {
        fail(QStringLiteral("the active window is %1")
                 .arg(active ? active->formName() : QStringLiteral("none")));
    }
}

void ScenarioRunner::expectCaption(const Line& line) {
    const QString name = word(line, 2);
    QString actual;
    if (!name.contains('.')) {
        actual = loadedWindow(name).Caption();
    } else if (auto* b = dynamic_cast<platform::CommandButton*>(&control(name))) {
        actual = b->Caption();
    } else if (auto* l = dynamic_cast<platform::Label*>(&control(name))) {
        actual = l->Caption();
    } else if (auto* o = dynamic_cast<platform::OptionButton*>(&control(name))) {
        actual = o->Caption();
    } else if (auto* f = dynamic_cast<platform::Frame*>(&control(name))) {
        actual = f->Caption();
    } else {
        fail(QStringLiteral("%1 has no caption").arg(name));
    }
    expectEqual(QStringLiteral("the caption"), actual, word(line, 3));
}

void ScenarioRunner::expectHeight(const Line& line) {
    const QString name = word(line, 2);
    const int actual = name.contains('.') ? control(name).Height() : loadedWindow(name).Height();
    expectEqual(QStringLiteral("the height"), QString::number(actual), word(line, 3));
}

// Where a window stands on the screen: the top-left corner of its frame, in pixels.
void ScenarioRunner::expectPlace(const Line& line) {
    const QPoint at = shownWindow(word(line, 2)).frameGeometry().topLeft();
    expectEqual(QStringLiteral("the place"), QStringLiteral("%1 %2").arg(at.x()).arg(at.y()),
                QStringLiteral("%1 %2").arg(number(line, 3)).arg(number(line, 4)));
}

// A window's frame centred on the screen's free area, or over another window's frame: their
// middles lie within half a pixel of each other.
void ScenarioRunner::expectCentred(const Line& line) {
    const Form& form = shownWindow(word(line, 2));
    QRect over = form.screen()->availableGeometry();
    if (line.words.size() > 3) {
        if (word(line, 3) != "over") {
            fail(QStringLiteral("expected: over WINDOW"));
        }
        over = shownWindow(word(line, 4)).frameGeometry();
    }
    const QRect frame = form.frameGeometry();
    // Twice the middles, in whole pixels.
    const int offX = 2 * frame.x() + frame.width() - 2 * over.x() - over.width();
    const int offY = 2 * frame.y() + frame.height() - 2 * over.y() - over.height();
    if (std::abs(offX) > 1 || std::abs(offY) > 1) {
        fail(QStringLiteral("the window stands at %1 %2, its middle off by %3 %4 pixels")
                 .arg(frame.x())
                 .arg(frame.y())
                 .arg(offX / 2.0)
                 .arg(offY / 2.0));
    }
}

void ScenarioRunner::expectState(const Line& line) {
    const QString name = word(line, 2);
    const common::PublicState& s = common::Public();
    const auto yesNo = [](bool on) {
        return on ? QStringLiteral("true") : QStringLiteral("false");
    };
    const std::map<QString, QString> states{
        {"ChannelCount", QString::number(s.ChannelCount)},
        {"DataChanged", yesNo(s.DataChanged)},
        {"ResetInProgress", yesNo(s.ResetInProgress)},
        {"SkipColorMixCheck", yesNo(s.SkipColorMixCheck)},
        {"WindowTitle", s.WindowTitle},
        {"EditingFileLabel", s.EditingFileLabel},
    };
    const auto found = states.find(name);
    if (found == states.end()) {
        fail(QStringLiteral("unknown state %1").arg(name));
    }
    expectEqual(name, found->second, word(line, 3));
}

// ---- The stores ----

const stores::RecordStore& ScenarioRunner::store(const QString& name) {
    const stores::AdvancedStores& stores = common::Public().Stores;
    if (name == "ranges") {
        return stores.rangeTables;
    }
    if (name == "palettes") {
        return stores.paletteGroups;
    }
    if (name != "macros") {
        fail(QStringLiteral("a store is ranges, palettes or macros"));
    }
    return stores.macros;
}

void ScenarioRunner::expectStore(const Line& line) {
    const int count = store(word(line, 2)).count();
    if (QString::number(count) != word(line, 3)) {
        fail(QStringLiteral("the store holds %1 records").arg(count));
    }
}

namespace {
QString shown(const QStringList& texts) {
    QStringList quotedTexts;
    for (const QString& text : texts) {
        quotedTexts << quoted(text);
    }
    return quotedTexts.join(' ');
}
} // namespace

// Every field of a record but the last, which holds its table.
void ScenarioRunner::expectRecord(const Line& line) {
    const stores::RecordStore& records = store(word(line, 2));
    const int record = number(line, 3);
    if (record < 0 || record >= records.count()) {
        fail(QStringLiteral("the store has no record %1").arg(record));
    }
    QStringList fields;
    for (int field = 0; field + 1 < records.fieldCount(); ++field) {
        fields << records.text(field, record);
    }
    if (fields != line.words.mid(4)) {
        fail(QStringLiteral("the record is %1").arg(shown(fields)));
    }
}

void ScenarioRunner::expectTable(const Line& line) {
    const stores::RecordStore& records = store(word(line, 2));
    const int record = number(line, 3);
    const int row = number(line, 4);
    const stores::TextTable* table = records.table(records.fieldCount() - 1, record);
    if (!table) {
        fail(QStringLiteral("record %1 holds no table").arg(record));
    }
    QStringList cells;
    for (int field = 0; row >= 0 && row <= table->rowUpper() && field <= table->fieldUpper();
         ++field) {
        cells << table->cell(field, row);
    }
    const QStringList expected = line.words.mid(5);
    if (expected.isEmpty() && row >= 0 && row <= table->rowUpper()) {
        fail(QStringLiteral("the table has row %1: %2").arg(row).arg(shown(cells)));
    }
    if (!expected.isEmpty() && cells != expected) {
        fail(cells.isEmpty() ? QStringLiteral("the table has no row %1").arg(row)
                             : QStringLiteral("the row is %1").arg(shown(cells)));
    }
}

// ---- The desktop: messages, commands, web addresses ----

void ScenarioRunner::expectMessage(const Line& line) {
    if (desktop_.messages.size() <= checkedMessages_) {
        fail(QStringLiteral("no further message was shown"));
    }
    const platform::MessageRequest& m = desktop_.messages[checkedMessages_++];
    const QString text = word(line, 2);
    if (m.text != text) {
        fail(QStringLiteral("the message was %1").arg(quoted(m.text)));
    }
    platform::MessageRequest expected{text, platform::MsgButtons::OkOnly, platform::MsgIcon::None,
                                      platform::defaultMessageTitle(), false};
    for (int i = 3; i < line.words.size(); ++i) {
        const QString option = line.words[i];
        if (option == "okcancel") {
            expected.buttons = platform::MsgButtons::OkCancel;
        } else if (option == "exclamation") {
            expected.icon = platform::MsgIcon::Exclamation;
        } else if (option == "information") {
            expected.icon = platform::MsgIcon::Information;
        } else if (option == "cancel-default") {
            expected.cancelIsDefault = true;
        } else if (option == "title") {
            expected.title = word(line, ++i);
        } else {
            fail(QStringLiteral("unknown message option %1").arg(option));
        }
    }
    if (m.buttons != expected.buttons) {
        fail(m.buttons == platform::MsgButtons::OkCancel ? QStringLiteral("it had OK and Cancel")
                                                         : QStringLiteral("it had only OK"));
    }
    if (m.icon != expected.icon) {
        fail(QStringLiteral("its icon was %1")
                 .arg(m.icon == platform::MsgIcon::None          ? "none"
                      : m.icon == platform::MsgIcon::Exclamation ? "exclamation"
                                                                 : "information"));
    }
    expectEqual(QStringLiteral("its title"), m.title, expected.title);
    if (m.cancelIsDefault != expected.cancelIsDefault) {
        fail(m.cancelIsDefault ? QStringLiteral("Cancel was the default button")
                               : QStringLiteral("OK was the default button"));
    }
}

void ScenarioRunner::expectNoMessage(const Line&) {
    if (desktop_.messages.size() > checkedMessages_) {
        fail(QStringLiteral("a message was shown: %1")
                 .arg(quoted(desktop_.messages[checkedMessages_].text)));
    }
}

void ScenarioRunner::expectCommand(const Line& line) {
    if (desktop_.commands.size() <= checkedCommands_) {
        fail(QStringLiteral("no command was started"));
    }
    const QString actual = desktop_.commands[checkedCommands_++].commandLine();
    expectEqual(QStringLiteral("the command"), actual, word(line, 2));
}

void ScenarioRunner::expectNoCommand(const Line&) {
    if (desktop_.commands.size() > checkedCommands_) {
        fail(QStringLiteral("a command was started: %1")
                 .arg(quoted(desktop_.commands[checkedCommands_].commandLine())));
    }
}

void ScenarioRunner::expectWeb(const Line&) {
    if (desktop_.webAddresses.size() <= checkedWeb_) {
        fail(QStringLiteral("no web address was opened"));
    }
    expectEqual(QStringLiteral("the address"), desktop_.webAddresses[checkedWeb_++],
                common::MakerWebAddress);
}

void ScenarioRunner::expectSaveDialog(const Line& line) {
    if (desktop_.saveDialogs.empty()) {
        fail(QStringLiteral("no save dialog was shown"));
    }
    const platform::SaveDialogRequest& d = desktop_.saveDialogs.back();
    if (d.initDir != word(line, 2) || d.fileName != word(line, 3)) {
        fail(QStringLiteral("the dialog opened in %1 offering %2")
                 .arg(quoted(d.initDir), quoted(d.fileName)));
    }
}

void ScenarioRunner::expectSetting(const Line& line) {
    const QString actual = platform::GetSetting(common::SettingsApplication, word(line, 2),
                                                word(line, 3), QStringLiteral("-"));
    expectEqual(QStringLiteral("the setting"), actual, word(line, 4));
}

// ---- Files ----

namespace {
std::optional<QByteArray> readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

QString differenceAt(const QByteArray& got, const QByteArray& expected) {
    qsizetype at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at]) {
        ++at;
    }
    const qsizetype lineNo = got.left(at).count('\n') + 1;
    return QStringLiteral("the bytes differ at offset %1 (line %2): got %3, expected %4")
        .arg(at)
        .arg(lineNo)
        .arg(QString::fromLatin1(got.mid(at, 24).toPercentEncoding(" ;=-_.")),
             QString::fromLatin1(expected.mid(at, 24).toPercentEncoding(" ;=-_.")));
}
} // namespace

QByteArray ScenarioRunner::fileBytes(const QString& path) {
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes) {
        fail(QStringLiteral("no file %1").arg(path));
    }
    return *bytes;
}

void ScenarioRunner::expectFile(const Line& line) {
    const QByteArray got = fileBytes(word(line, 2));
    const QByteArray expected =
        word(line, 1) == "file" ? fileBytes(word(line, 3)) : word(line, 3).toUtf8();
    if (got != expected) {
        fail(differenceAt(got, expected));
    }
}

void ScenarioRunner::expectKind(const Line& line) {
    const QString kind = runner::kindOf(word(line, 2));
    if (kind != word(line, 3)) {
        fail(kind.isEmpty() ? QStringLiteral("nothing stands there")
                            : QStringLiteral("it is a %1").arg(kind));
    }
}

void ScenarioRunner::expectMode(const Line& line) {
    struct stat status {};
    if (::stat(QFile::encodeName(word(line, 2)).constData(), &status) != 0) {
        fail(QStringLiteral("no file %1").arg(word(line, 2)));
    }
    const QString mode = QString::number(status.st_mode & 07777, 8);
    if (mode != word(line, 3)) {
        fail(QStringLiteral("the permissions are %1").arg(mode));
    }
}

void ScenarioRunner::expectNoFile(const Line& line) {
    if (QFileInfo::exists(word(line, 2))) {
        fail(QStringLiteral("the file exists"));
    }
}

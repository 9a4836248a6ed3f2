#include "Session.h"

#include "RunnerText.h"
#include "channels/ChannelTable.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "platform/Form.h"

#include <QTextStream>
#include <algorithm>
#include <cmath>

namespace randomactions {

using testsupport::ScriptedDesktop;
using Asked = ScriptedDesktop::Asked;

namespace {

constexpr int MostChannels = 512;
const QString Saved = QStringLiteral("文件保存成功！");
const QString SaveFailed = QStringLiteral("文件保存失败：");

// The check that the message was shown as it was: text, buttons, icon, title, default button.
QString expectation(const platform::MessageRequest& m) {
    QString line = "expect message " + runner::scriptWord(m.text);
    if (m.buttons == platform::MsgButtons::OkCancel) {
        line += " okcancel";
    }
    if (m.icon != platform::MsgIcon::None) {
        line += m.icon == platform::MsgIcon::Exclamation ? " exclamation" : " information";
    }
    if (m.title != platform::defaultMessageTitle()) {
        line += " title " + runner::scriptWord(m.title);
    }
    return m.cancelIsDefault ? line + " cancel-default" : line;
}

std::optional<QByteArray> bytesAt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

double percentile(std::vector<double> samples, double fraction) {
    const auto at =
        static_cast<std::ptrdiff_t>(std::ceil(fraction * static_cast<double>(samples.size())) - 1);
    std::nth_element(samples.begin(), samples.begin() + std::max<std::ptrdiff_t>(at, 0),
                     samples.end());
    return samples[static_cast<std::size_t>(std::max<std::ptrdiff_t>(at, 0))];
}

} // namespace

// ---- Latencies ----

void Latencies::add(const QString& kind, double ms, bool atMostChannels, const QString& line) {
    constexpr std::size_t Kept = 10;
    all_[kind].push_back(ms);
    if (!atMostChannels) {
        return;
    }
    atMost_[kind].push_back(ms);
    if (slowest_.size() < Kept || ms > slowest_.back().first) {
        slowest_.emplace_back(ms, line);
        std::sort(slowest_.begin(), slowest_.end(), std::greater<>());
        slowest_.resize(std::min(slowest_.size(), Kept));
    }
}

QString Latencies::slowest() const {
    QString text;
    for (const auto& [ms, line] : slowest_) {
        text += QStringLiteral("%1 ms  %2\n").arg(ms, 7, 'f', 2).arg(line.left(100));
    }
    return text;
}

QString Latencies::table(bool atMostChannels) const {
    QString text;
    QTextStream out(&text);
    out << qSetFieldWidth(16) << Qt::left << "action" << qSetFieldWidth(9) << Qt::right << "count"
        << "p50 ms"
        << "p99 ms"
        << "max ms" << qSetFieldWidth(0) << "\n";
    for (const auto& [kind, samples] : atMostChannels ? atMost_ : all_) {
        out << qSetFieldWidth(16) << Qt::left << kind << qSetFieldWidth(9) << Qt::right
            << samples.size() << qSetRealNumberPrecision(2) << Qt::fixed << percentile(samples, 0.5)
            << percentile(samples, 0.99) << *std::max_element(samples.begin(), samples.end())
            << qSetFieldWidth(0) << "\n";
    }
    return text;
}

QStringList Latencies::slowerThan(double limitMs) const {
    QStringList slow;
    for (const auto& [kind, samples] : atMost_) {
        if (percentile(samples, 0.99) >= limitMs) {
            slow << kind;
        }
    }
    return slow;
}

// ---- Session ----

Session::Session(quint64 seed, int steps, const QString& scenarioPath)
    : user_(seed), seed_(seed), steps_(steps), scenario_(scenarioPath) {}

bool Session::playProgramRun() {
    common::resetPublic();
    user_.forgetPlan();
    queued_.reset();
    // What the program finds on the clipboard is part of the run's scenario.
    pending_ = {QStringLiteral("clipboard \"\""), QStringLiteral("start")};
    messagesSeen_ = 0;
    save_.reset();
    if (!scenario_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fault_ = QStringLiteral("cannot write %1").arg(scenario_.fileName());
        return false;
    }
    record(QStringLiteral("# random actions, seed %1, from step %2").arg(seed_).arg(step_ + 1));
    ScenarioRunner runner(*this, QStringLiteral("random actions"));
    runner_ = &runner;
    runner.desktop().answerOnTheSpot = [this](Asked asked) { answerOnTheSpot(asked); };
    const bool passed = runner.run() == 0;
    runner_ = nullptr;
    if (!passed && fault_.isEmpty()) {
        fault_ = runner.failure();
    }
    if (!fault_.isEmpty()) {
        record("# " + fault_);
    }
    scenario_.close();
    return fault_.isEmpty();
}

std::optional<QString> Session::nextLine() {
    if (action_) {
        finishAction();
    }
    if (!fault_.isEmpty()) {
        return std::nullopt;
    }
    if (!pending_.empty()) {
        const QString line = pending_.front();
        pending_.pop_front();
        return record(line);
    }
    const platform::Form* active = platform::windows().active();
    if (runner_->desktop().ended || (step_ >= steps_ && !(active && active->isModalShowing()))) {
        return std::nullopt;
    }
    Action action = queued_ ? *queued_ : user_.next();
    queued_.reset();
    if (!action.before.isEmpty()) {
        // What the action needs comes first.
        pending_.assign(action.before.begin(), action.before.end());
        action.before.clear();
        queued_ = action;
        return nextLine();
    }
    ++step_;
    ++actionsOn_[action.kind == "advance" ? QStringLiteral("(clock)")
                                          : action.line.section(' ', 1, 1).section('.', 0, 0)];
    atMostChannels_ = common::Public().ChannelCount == MostChannels;
    action_ = action;
    answeringNs_ = 0;
    const QString line = record(action.line);
    clock_.start();
    return line;
}

QString Session::reach() const {
    QStringList windows;
    for (const auto& [window, actions] : actionsOn_) {
        windows << QStringLiteral("%1 %2").arg(window).arg(actions);
    }
    return QStringLiteral("actions on %1; %2 files saved, %3 saves failed; at most %4 range "
                          "tables, %5 palette groups, %6 macros, %7 fine parts")
        .arg(windows.join(", "))
        .arg(saved_)
        .arg(saveFailed_)
        .arg(mostTables_[0])
        .arg(mostTables_[1])
        .arg(mostTables_[2])
        .arg(mostFineParts_);
}

// The user tried and the program said no, a normal outcome of acting at random. What took place
// is the move of the focus that was refused: the scenario says so, and plays on.
void Session::refused(const QString& why) {
    const QString tried = lastLine_;
    scenario_.resize(lastOffset_);
    scenario_.seek(lastOffset_);
    record("focus " + tried.section(' ', 1, 1) + "\n# " + why + ": " + tried);
}

void Session::finishAction() {
    const double ms = static_cast<double>(clock_.nsecsElapsed() - answeringNs_) / 1e6;
    atMostChannels_ = atMostChannels_ || common::Public().ChannelCount == MostChannels;
    const QString kind = action_->kind == "type" ? QStringLiteral("type, per key") : action_->kind;
    latencies_.add(kind, ms / action_->keys, atMostChannels_, action_->line);
    action_.reset();

    const std::vector<platform::MessageRequest>& messages = runner_->desktop().messages;
    QList<platform::MessageRequest> shown;
    for (size_t i = messagesSeen_; i < messages.size(); ++i) {
        shown << messages[i];
        pending_.push_back(expectation(messages[i]));
    }
    messagesSeen_ = messages.size();
    checkSave(shown);
    const stores::AdvancedStores& stores = common::Public().Stores;
    if (auto* page = static_cast<channels::Form2*>(platform::windows().find("Form2"))) {
        const channels::ChannelRows rows = page->rowsFromGrid();
        mostFineParts_ = std::max<int>(
            mostFineParts_,
            static_cast<int>(std::count_if(rows.begin(), rows.end(), channels::IsFinePart)));
    }
    mostTables_ = {std::max(mostTables_[0], stores.rangeTables.count()),
                   std::max(mostTables_[1], stores.paletteGroups.count()),
                   std::max(mostTables_[2], stores.macros.count())};
    const QStringList wrong = invariants_.check();
    if (!wrong.isEmpty() && fault_.isEmpty()) {
        fault_ = QStringLiteral("step %1: %2").arg(step_).arg(wrong.join("; "));
    }
}

// A save reported done must have left a whole file; any other end must leave the old one.
void Session::checkSave(const QList<platform::MessageRequest>& shown) {
    if (!save_) {
        return;
    }
    const bool saved =
        std::any_of(shown.begin(), shown.end(),
                    [](const platform::MessageRequest& m) { return m.text == Saved; });
    QStringList wrong;
    saved_ += saved ? 1 : 0;
    saveFailed_ += std::any_of(shown.begin(), shown.end(), [](const platform::MessageRequest& m) {
        return m.text.startsWith(SaveFailed);
    });
    if (saved) {
        wrong = Invariants::savedFile(save_->path);
        if (user_.protectsSavedFile()) {
            pending_.push_back("chmod " + runner::scriptWord("${TMP}/" + save_->name) + " 444");
        }
    } else if (bytesAt(save_->path) != save_->before) {
        wrong << QStringLiteral("the save of %1 failed but changed the file").arg(save_->path);
    }
    if (!wrong.isEmpty() && fault_.isEmpty()) {
        fault_ = QStringLiteral("step %1: %2").arg(step_).arg(wrong.join("; "));
    }
    save_.reset();
}

void Session::answerOnTheSpot(Asked asked) {
    QElapsedTimer answering;
    answering.start();
    ScriptedDesktop& desktop = runner_->desktop();
    if (asked == Asked::Message) {
        const bool ok = user_.answersOk(desktop.messages.back());
        desktop.answerMessage(ok ? platform::MsgResult::Ok : platform::MsgResult::Cancel);
        recordAnswer(ok ? QStringLiteral("answer ok") : QStringLiteral("answer cancel"));
    } else if (asked == Asked::ColorDialog) {
        const std::optional<QColor> color = user_.color();
        desktop.answerDialog(color ? ScriptedDesktop::DialogAnswer(*color)
                                   : ScriptedDesktop::Cancelled{});
        recordAnswer(color ? "dialog color " + runner::describe(*color)
                           : QStringLiteral("dialog cancel"));
    } else {
        const std::optional<QString> name = user_.saveName();
        if (name) {
            const QString path = runner_->temporaryFolder() + '/' + *name;
            save_ = Save{*name, path, bytesAt(path)};
            desktop.answerDialog(path);
            recordAnswer("dialog save " + runner::scriptWord("${TMP}/" + *name));
        } else {
            desktop.answerDialog(ScriptedDesktop::Cancelled{});
            recordAnswer(QStringLiteral("dialog cancel"));
        }
    }
    answeringNs_ += answering.nsecsElapsed();
}

// The lines of this program run go to a scenario file as they are played, so that even a crash
// leaves them behind.
QString Session::record(const QString& line) {
    lastOffset_ = scenario_.pos();
    lastLine_ = line;
    scenario_.write((line + '\n').toUtf8());
    scenario_.flush();
    return line;
}

// An answer is queued before the line during which it was asked for, after the answers queued
// for it already: the line, last in the file, moves down.
void Session::recordAnswer(const QString& answer) {
    scenario_.seek(lastOffset_);
    const QByteArray bytes = (answer + '\n').toUtf8();
    scenario_.write(bytes + (lastLine_ + '\n').toUtf8());
    scenario_.flush();
    lastOffset_ += bytes.size();
}

} // namespace randomactions

#pragma once

#include "Invariants.h"
#include "RandomUser.h"
#include "ScenarioRunner.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace randomactions {

// The time of every action, by its kind; the run at the largest channel count apart.
class Latencies {
public:
    void add(const QString& kind, double ms, bool atMostChannels, const QString& line);
    // Per kind: the number of actions, the 50th and 99th percentile and the longest, in ms.
    QString table(bool atMostChannels) const;
    // The kinds whose 99th percentile lies above the limit, at the largest channel count.
    QStringList slowerThan(double limitMs) const;
    // The slowest actions at 512 channels, with their lines.
    QString slowest() const;

private:
    std::vector<std::pair<double, QString>> slowest_;
    std::map<QString, std::vector<double>> all_;
    std::map<QString, std::vector<double>> atMost_;
};

// A random run: plays the user's actions through the scenario runner, one program run after
// another, checks the program after every action and times it. What one program run played is
// kept as a scenario file (answers and the messages shown included), so that a failure can be
// played again as it happened.
class Session : public LineSource {
public:
    Session(quint64 seed, int steps, const QString& scenarioPath);

    // Plays one program run, from its start to its end or the end of the steps. False when the
    // program failed a check or a line.
    bool playProgramRun();
    bool finished() const { return step_ >= steps_ || !fault_.isEmpty(); }
    QString fault() const { return fault_; }
    int step() const { return step_; }
    const Latencies& latencies() const { return latencies_; }
    // Where the actions went and how far they got: actions per window, saves, the most tables.
    QString reach() const;

    std::optional<QString> nextLine() override;
    void refused(const QString& why) override;

private:
    void answerOnTheSpot(testsupport::ScriptedDesktop::Asked asked);
    void finishAction();
    void checkSave(const QList<platform::MessageRequest>& shown);
    QString record(const QString& line);
    void recordAnswer(const QString& answer);

    RandomUser user_;
    Invariants invariants_;
    Latencies latencies_;
    quint64 seed_;
    int steps_;
    int step_ = 0;
    QString fault_;
    QFile scenario_;
    QString lastLine_; // the line last handed to the runner, last in the file
    qint64 lastOffset_ = 0;
    std::deque<QString> pending_; // lines to play before the next action
    std::optional<Action> queued_;
    ScenarioRunner* runner_ = nullptr;
    size_t messagesSeen_ = 0;
    // The action in flight
    std::optional<Action> action_;
    bool atMostChannels_ = false;
    QElapsedTimer clock_;
    qint64 answeringNs_ = 0;
    // The save in flight: where to, and the bytes that stood there before.
    struct Save {
        QString name; // in the temporary folder
        QString path;
        std::optional<QByteArray> before;
    };
    std::optional<Save> save_;
    std::map<QString, int> actionsOn_;
    int saved_ = 0;
    int saveFailed_ = 0;
    std::array<int, 3> mostTables_{};
    int mostFineParts_ = 0;
};

} // namespace randomactions

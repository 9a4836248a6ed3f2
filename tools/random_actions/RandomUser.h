#pragma once

#include "platform/Desktop.h"

#include <QColor>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

namespace platform {
class Control;
} // namespace platform

namespace randomactions {

// One thing the user does, as the scenario line that does it.
struct Action {
    QStringList before; // stage lines it needs first (what the clipboard holds)
    QString line;
    QString kind; // the command word: the row of the latency table
    int keys = 1; // key presses it makes: a typed text presses one per character
};

// A user who acts at random on whatever the editor shows, from one seed: any enabled control,
// any text, any answer. Now and then they follow a short plan that gets somewhere (filling the
// basic information, naming channels, adding tables), so that the deeper windows and the largest
// channel count are reached often.
class RandomUser {
public:
    explicit RandomUser(quint64 seed) : rng_(seed) {}

    // The next action on the program as it stands.
    Action next();
    // Any program run starts afresh: no plan is carried over.
    void forgetPlan() { plan_.clear(); }

    bool answersOk(const platform::MessageRequest& message);
    // A file name inside the temporary folder (some in a folder that does not exist, or naming
    // the folder itself), or nothing to cancel.
    std::optional<QString> saveName();
    std::optional<QColor> color();
    // Now and then a saved file is made read-only, so that a later save onto it fails.
    bool protectsSavedFile() { return chance(25); }
    QString text(bool sensible = false);

private:
    struct Planned {
        QString command;
        QString target;
        QStringList args;
    };
    std::optional<Action> planned();
    void plan();
    void planBasicInformation();
    void planChannels();
    void planQuickSetup(int channelCount);
    void planRanges();
    void planNamedTable(const QString& list, const QString& dialog);
    void then(const QString& command, const QString& target, QStringList args = {});
    Action randomAction();
    Action onControl(platform::Control& control);
    Action onTextBox(const QString& name);
    Action make(const QString& command, const QString& target, QStringList args = {});
    int below(int bound) { return bound > 0 ? static_cast<int>(rng_.bounded(bound)) : 0; }
    bool chance(int percent) { return below(100) < percent; }

    QRandomGenerator rng_;
    std::deque<Planned> plan_;
};

// The control the user may act on: its window on the screen and not behind a modal window, the
// control shown and enabled.
bool usable(const QString& fullName);

} // namespace randomactions

#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace platform {

// A window's timer. It runs on the desktop's clock, or on a virtual clock
// that tests advance by hand.
class Timer : public QObject {
public:
    Timer(QObject* parent, const QString& name);
    ~Timer() override;

    int Interval() const { return interval_; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    std::function<void()> Tick; // the window's Timer_Timer rule

    // The virtual clock: while it is on, timers fire only through advanceClock.
    static void useVirtualClock(bool on);
    static bool virtualClock();
    static void advanceClock(int milliseconds);

private:
    void restart();
    void fire();
    QTimer real_;
    int interval_ = 0;
    bool enabled_ = false;
    qint64 dueAt_ = 0;
};

} // namespace platform

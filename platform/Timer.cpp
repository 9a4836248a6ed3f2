#include "platform/Timer.h"

#include <QPointer>
#include <algorithm>
#include <vector>

namespace platform {
namespace {
bool virtualOn = false;
qint64 virtualNow = 0;
std::vector<Timer*>& allTimers() {
    static std::vector<Timer*> timers;
    return timers;
}
} // namespace

Timer::Timer(QObject* parent, const QString& name) : QObject(parent) {
    setObjectName(name);
    real_.setSingleShot(false);
    QObject::connect(&real_, &QTimer::timeout, this, [this] { fire(); });
    allTimers().push_back(this);
}

Timer::~Timer() {
    auto& timers = allTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void Timer::setInterval(int milliseconds) {
    interval_ = milliseconds;
    restart();
}

void Timer::setEnabled(bool enabled) {
    enabled_ = enabled;
    restart();
}

void Timer::restart() {
    real_.stop();
    if (!enabled_ || interval_ <= 0) {
        return;
    }
    if (virtualOn) {
        dueAt_ = virtualNow + interval_;
    } else {
        real_.start(interval_);
    }
}

void Timer::fire() {
    if (enabled_ && interval_ > 0 && Tick) {
        Tick();
    }
}

void Timer::useVirtualClock(bool on) {
    virtualOn = on;
    virtualNow = 0;
}

bool Timer::virtualClock() {
    return virtualOn;
}

void Timer::advanceClock(int milliseconds) {
    const qint64 end = virtualNow + milliseconds;
    for (;;) {
        Timer* next = nullptr;
        for (Timer* t : allTimers()) {
            if (t->enabled_ && t->interval_ > 0 && t->dueAt_ <= end &&
                (!next || t->dueAt_ < next->dueAt_)) {
                next = t;
            }
        }
        if (!next) {
            break;
        }
        virtualNow = next->dueAt_;
        next->dueAt_ = virtualNow + next->interval_;
        QPointer<Timer> guard(next);
        next->fire();
    }
    virtualNow = end;
}

} // namespace platform

#include "timer.h"

#include "events.h"
#include "form.h"

#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>

namespace forms {

namespace {
// Qt's timers, one per armed timer. Intervals shorter than the desktop timer period the
// windows were made for (about 16 ms) tick at that period: the 1 ms watchers of the main window
// would otherwise wake the process a thousand times a second and cost several per cent of a
// core while the player sits idle.
class QtScheduler : public Scheduler {
public:
    void Arm(Timer& timer, int intervalMs) override {
        auto& t = timers_[&timer];
        if (!t) {
            t = std::make_unique<QTimer>();
            t->setTimerType(Qt::PreciseTimer);
            Timer* target = &timer;
            QObject::connect(t.get(), &QTimer::timeout, [target] { target->Fire(); });
        }
        t->start(std::max(intervalMs, kShortestPeriodMs));
    }
    void Disarm(Timer& timer) override { timers_.erase(&timer); }

    static constexpr int kShortestPeriodMs = 16;

private:
    std::map<Timer*, std::unique_ptr<QTimer>> timers_;
};

QtScheduler& qtScheduler() {
    static QtScheduler s;
    return s;
}
Scheduler*& current() {
    static Scheduler* s = &qtScheduler();
    return s;
}
} // namespace

Scheduler& CurrentScheduler() { return *current(); }
void SetScheduler(Scheduler* scheduler) { current() = scheduler ? scheduler : &qtScheduler(); }

Timer::Timer(Form& form, std::string name) : Control(form, std::move(name)) {}

Timer::~Timer() {
    if (armed_) CurrentScheduler().Disarm(*this);
}

void Timer::ResetState() {
    // A fresh load starts from the design values, which the window sets next.
    if (armed_) CurrentScheduler().Disarm(*this);
    armed_ = false;
    enabled_ = true;
    interval_ = 0;
    running_ = false;
}

void Timer::Released() {
    if (armed_) CurrentScheduler().Disarm(*this);
    armed_ = false;
}

bool Timer::Enabled() {
    Touch();
    return enabled_;
}

void Timer::SetEnabled(bool enabled) {
    Touch();
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Rearm();
}

int Timer::Interval() {
    Touch();
    return interval_;
}

void Timer::SetInterval(int ms) {
    Touch();
    if (ms < 0) ms = 0;
    if (ms == interval_) return;
    interval_ = ms;
    Rearm();
}

void Timer::Rearm() {
    const bool shouldRun = enabled_ && interval_ > 0 && Parent().IsLoaded();
    if (shouldRun) {
        CurrentScheduler().Arm(*this, interval_);
        armed_ = true;
    } else if (armed_) {
        CurrentScheduler().Disarm(*this);
        armed_ = false;
    }
}

void Timer::Fire() {
    if (running_ || !enabled_ || interval_ <= 0) return;
    running_ = true;
    Dispatch(OnTimer);
    running_ = false;
}

} // namespace forms

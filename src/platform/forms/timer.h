#pragma once
// Timers: Enabled and Interval as the windows' code sets them. Interval 0 never ticks. Every
// tick runs on the user-interface thread, and a tick whose previous run has not returned yet
// (it is inside a modal message box) is skipped rather than run on top of it.
// A scheduler drives the ticks: Qt's timers in the program, a virtual clock in tests.
#include "control.h"

#include <functional>

namespace forms {

class Timer;

class Scheduler {
public:
    virtual ~Scheduler() = default;
    // Starts or restarts the countdown of a timer: its next tick falls intervalMs from now.
    virtual void Arm(Timer& timer, int intervalMs) = 0;
    virtual void Disarm(Timer& timer) = 0;
};

// The scheduler in force; nullptr restores Qt's timers.
Scheduler& CurrentScheduler();
void SetScheduler(Scheduler* scheduler);

class Timer : public Control {
public:
    Timer(Form& form, std::string name);
    ~Timer() override;

    bool Enabled();
    void SetEnabled(bool enabled);
    int Interval();
    void SetInterval(int ms);

    // The tick handler, set by the window.
    std::function<void()> OnTimer;

    // Called by the scheduler when the countdown runs out.
    void Fire();

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void ResetState() override;
    void Released() override;

private:
    void Rearm();
    bool enabled_ = true;
    int interval_ = 0;
    bool running_ = false;
    bool armed_ = false;
};

} // namespace forms

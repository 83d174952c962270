#pragma once
// A virtual clock in place of Qt's timers: Advance(ms) runs every tick that falls due, in time
// order (timers due at the same moment in the order they were armed), so timing rules are
// tested exactly and fast.
#include "platform/forms/timer.h"

#include <cstdint>
#include <map>

namespace support {

class VirtualClock : public forms::Scheduler {
public:
    void Arm(forms::Timer& timer, int intervalMs) override;
    void Disarm(forms::Timer& timer) override;

    void Advance(int64_t ms);
    int64_t Now() const { return now_; }
    bool IsArmed(forms::Timer& timer) const { return due_.count(&timer) != 0; }

private:
    struct Due {
        int64_t at;
        uint64_t order;
    };
    std::map<forms::Timer*, Due> due_;
    int64_t now_ = 0;
    uint64_t nextOrder_ = 0;
};

} // namespace support

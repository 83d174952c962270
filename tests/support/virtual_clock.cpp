#include "virtual_clock.h"

#include <algorithm>

namespace support {

void VirtualClock::Arm(forms::Timer& timer, int intervalMs) {
    due_[&timer] = Due{now_ + intervalMs, nextOrder_++};
}

void VirtualClock::Disarm(forms::Timer& timer) { due_.erase(&timer); }

void VirtualClock::Advance(int64_t ms) {
    int64_t target = now_ + ms;
    for (;;) {
        forms::Timer* next = nullptr;
        Due best{0, 0};
        for (const auto& [timer, due] : due_) {
            if (due.at > target) continue;
            if (!next || due.at < best.at || (due.at == best.at && due.order < best.order)) {
                next = timer;
                best = due;
            }
        }
        if (!next) break;
        now_ = best.at;
        // The next countdown starts now; a handler that changes its timer re-arms it itself.
        due_[next] = Due{now_ + next->Interval(), nextOrder_++};
        next->Fire();
        // A nested Advance (from inside a message box) may have moved the clock further.
        target = std::max(target, now_);
    }
    now_ = target;
}

} // namespace support

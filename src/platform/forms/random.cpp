#include "random.h"

#include <chrono>
#include <cstdint>

namespace forms {

namespace {
uint64_t splitmix64(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Re-seeding mixes the clock into the running state instead of replacing it, so several
// re-seeds within one tick of the clock still give independent draws.
class ClockSeededRandom : public RandomSource {
public:
    void Randomize() override {
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        state_ = splitmix64(state_ ^ static_cast<uint64_t>(now));
    }
    float Rnd() override {
        state_ = splitmix64(state_);
        // 24 random bits give every float in [0, 1) on a 2^-24 grid, never 1.
        return static_cast<float>(state_ >> 40) / 16777216.0f;
    }

private:
    uint64_t state_ = 0x2545F4914F6CDD1Dull;
};

ClockSeededRandom& clockSeeded() {
    static ClockSeededRandom generator;
    return generator;
}

RandomSource*& current() {
    static RandomSource* source = &clockSeeded();
    return source;
}
} // namespace

RandomSource& Random() { return *current(); }

void SetRandomSource(RandomSource* source) {
    current() = source ? source : &clockSeeded();
}

} // namespace forms

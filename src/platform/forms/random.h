#pragma once
// The run time's random numbers: re-seed from the clock, then draw 0 <= r < 1.
// Tests install a scripted source.

namespace forms {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void Randomize() = 0;
    virtual float Rnd() = 0;
};

RandomSource& Random();
// nullptr restores the clock-seeded generator.
void SetRandomSource(RandomSource* source);

} // namespace forms

#pragma once
// The speakers volume: the rules that tie the hidden value holder VSvolume to the mixer's
// volume control. The window's side (the start-up lookup, the change handler and the set call)
// is declared on Form4; the lookup itself is Module1::LookupVolumeControl.
#include <cstdint>

namespace speakers_volume {

// The holder's upper bound for a control whose top is lMaximum: half of it, truncated toward
// zero, so that the doubled value sent back never passes the control's top.
constexpr int32_t HalvedMaximum(int32_t lMaximum) { return lMaximum / 2; }

// What the mixer receives for a holder value: twice it, in 32 bits, so even the holder's
// extremes cannot overflow.
constexpr int32_t MixerValue(int16_t holderValue) { return 2 * static_cast<int32_t>(holderValue); }

// The holder's change steps once a volume control was found.
constexpr int16_t ChangeStep = 1000;

} // namespace speakers_volume

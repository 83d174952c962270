#pragma once
// The pure rules of the one-second playback tick: the time display's caption and the seek
// bar's percentage, so that they can be checked without a window.
#include <cstdint>
#include <string>

namespace engine {

// Whole minutes and the seconds left over, truncated toward zero. Counted in 64 bits: a
// song of nine hours has more seconds than a 16-bit count can hold, and its display must
// still read right. A length that is not a finite number, or too large for the count, is an
// overflow error.
struct MinutesAndSeconds {
    int64_t minutes = 0;
    int64_t seconds = 0;
};
MinutesAndSeconds SplitMinutes(double seconds);

// "Duration: " elapsed "/" total, each as minutes ":" two-digit seconds, e.g.
// "Duration: 1:05/2:05". Minutes have no leading zeros and no upper limit.
std::string TimeDisplayCaption(double position, double duration);

// The seek bar's percentage: Fix(value / max * 100). Worked out as value * 100 / max, so that
// whole-second inputs give the exact truncation (29 of 100 is 29, not 28.999... cut to 28).
// A max of 0 is a division by zero, raised as a run-time error.
int64_t SeekBarPercent(double value, double max);

// The seek bar's tooltip, "Seek Bar 49%".
std::string SeekBarToolTip(double value, double max);

} // namespace engine

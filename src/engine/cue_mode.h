#pragma once
// The cue mode of the main window: a marker sweeps to and fro along a track, one step every
// N x 5 ms, holding the playing song at or after a start second S; at each end of the track the
// cue either opens the next playlist item or, with "Repeat" ticked, sends the song back to S.
//
// The handlers are members of Form4 (engine/cue_mode.cpp). The rules below are pure, so that
// they can be checked on their own.
#include <cstdint>
#include <string>

namespace forms {
class Image;
}

namespace cue {

// The marker's track, in twips relative to the cue panel: 192 steps of 10 twips each way.
constexpr double MarkerStart = 120;
constexpr double MarkerEnd = 2040;
constexpr double MarkerStep = 10;

// Accepted by "OK ": a play length of 1 to 180 seconds and a start second of 0 to 59.
constexpr double LongestPlayLength = 180;
constexpr double StartSecondLimit = 60;
// What a start second of 60 or more becomes during playback, after its message.
inline const std::string FallbackStartSecond = "58";

inline const std::string NoSongsMessage = "Please insert songs into the playlist";
inline const std::string WrongCueMessage =
    "You have entered a wrong value,Please enter a value between (1 to 180) and (0 to 59)  ";
inline const std::string WrongStartSecondMessage =
    "You have entered a wrong value,Please enter a value between (0 to 59)  ";
inline const std::string EmptyPlaylistMessage = "The play list is empty";
inline const std::string OnlyIntegerMessage = "ONLY INTEGER CAN BE ENTERED";

// The interval of a sweep's first tick in a cue that "OK " starts. From then on each tick sets
// its own sweep's interval to SweepIntervalMs.
constexpr int FirstSweepTickMs = 200;

// The interval of a sweep tick, in ms, for the play length read from its field. A length that
// reaches a tick without passing "OK " (typed after stop) is kept within the range "OK "
// allows: nothing or 0 ticks at 5 ms, more than 180 at 900 ms, so the sweep never stalls.
int SweepIntervalMs(double playLength);

// "OK " starts a cue only for 0 < N < 181 and 0 <= S < 60.
bool IsValidCue(double playLength, double startSecond);
bool IsValidStartSecond(double startSecond);

// The two cue fields take digits and backspace; any other typed key is refused.
bool IsAcceptedCueKey(int16_t keyAscii);

// Whether the marker stands at the end the sweep runs towards (forward: the right end).
bool AtSweepEnd(double markerLeft, bool forward);
// Whether the marker stands at either end, where the cue end may act.
bool AtEitherEnd(double markerLeft);
// The marker's next position in a sweep.
double NextMarkerLeft(double markerLeft, bool forward);

} // namespace cue

// The one-second playback tick: the end of a song ("Repeat", wrap to the first item, or the
// next item), the time display, the seek bar and its tooltip. Also the "Repeat" box's click.
#include "engine/playback_tick.h"

#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/message_box.h"
#include "platform/forms/runtime_error.h"

#include <cmath>
#include <exception>
#include <limits>

namespace engine {

namespace {

[[noreturn]] void overflow() {
    throw forms::RuntimeError(forms::ErrorNumber::Overflow, "Overflow");
}

// Truncated toward zero into the 64-bit count, or an overflow error.
int64_t WholeNumber(double seconds) {
    // 2^62 leaves room for the arithmetic below and is far beyond any real song.
    constexpr double limit = 4611686018427387904.0;
    if (!std::isfinite(seconds) || std::fabs(seconds) >= limit) overflow();
    return static_cast<int64_t>(forms::Fix(seconds));
}

// ":07" below ten seconds, ":42" from ten on.
std::string SecondsPart(int64_t seconds) {
    return (seconds < 10 ? ":0" : ":") + std::to_string(seconds);
}

} // namespace

MinutesAndSeconds SplitMinutes(double seconds) {
    const int64_t whole = WholeNumber(seconds);
    MinutesAndSeconds split;
    split.minutes = WholeNumber(seconds / 60);
    split.seconds = whole - split.minutes * 60;
    return split;
}

std::string TimeDisplayCaption(double position, double duration) {
    const MinutesAndSeconds elapsed = SplitMinutes(position);
    const MinutesAndSeconds total = SplitMinutes(duration);
    return "Duration: " + std::to_string(elapsed.minutes) + SecondsPart(elapsed.seconds) + "/" +
           std::to_string(total.minutes) + SecondsPart(total.seconds);
}

int64_t SeekBarPercent(double value, double max) {
    if (max == 0) overflow();
    return WholeNumber(value * 100 / max);
}

std::string SeekBarToolTip(double value, double max) {
    return "Seek Bar " + std::to_string(SeekBarPercent(value, max)) + "%";
}

} // namespace engine

namespace {

// The window keeps its minute counts in 16-bit values that others may read. A count beyond
// their range (a song of more than 546 hours) is held at the largest value they can take;
// the caption is built from the full count and stays right.
int16_t Clamp16(int64_t value) {
    constexpr int64_t lo = std::numeric_limits<int16_t>::min();
    constexpr int64_t hi = std::numeric_limits<int16_t>::max();
    return static_cast<int16_t>(value < lo ? lo : (value > hi ? hi : value));
}

} // namespace

void Form4::Timer_Timer() {
    // Any failure ends this tick quietly; the next tick starts afresh. A song whose length is
    // not known yet makes the seek bar refuse its maximum, which is expected here.
    try {
        SavedIndex = List1.ListIndex();
        // A song still loading reads 0 for both length and position, which would pass for its
        // end: the tick leaves it be. The media control gives up on a file that takes too long.
        if (Media.PlayState() == media::PlayStateOpening) return;

        // Repeat: the song at its end is opened again. The selection is the song, so an item
        // picked with a single click during the song is the one that plays.
        // Length first, then position, read afresh by each of the two end tests.
        double length = Media.Duration();
        double position = Media.CurrentPosition();
        if (length == position && Check4.Value() == 1) {
            List1.SetListIndex(SavedIndex);
            Media.Open(Module1::SongTable(List1.ListIndex()).FullPath);
        }

        // Advance: the next item, or the first after the last.
        length = Media.Duration();
        position = Media.CurrentPosition();
        if (length == position && Check4.Value() == 0) {
            if (List1.ListIndex() == List1.ListCount() - 1) {
                List1.SetListIndex(0);
                Media.Open(Module1::SongTable(0).FullPath);
                Text1.SetText(List1.List(0));
            } else {
                List1.SetListIndex(List1.ListIndex() + 1);
                const int16_t next = List1.ListIndex();
                const std::string item = List1.List(next);
                if (item.empty()) {
                    forms::MsgBox("The play list is empty", forms::MsgIcon::Information,
                                  forms::AppTitle());
                    Timer.SetEnabled(false);
                } else {
                    Media.Open(Module1::SongTable(next).FullPath);
                    Text1.SetText(item);
                }
            }
        }

        position = Media.CurrentPosition();
        length = Media.Duration();
        const engine::MinutesAndSeconds elapsed = engine::SplitMinutes(position);
        const engine::MinutesAndSeconds total = engine::SplitMinutes(length);
        ElapsedMinutes = Clamp16(elapsed.minutes);
        Min_Total = Clamp16(total.minutes);
        ElapsedSeconds = Clamp16(elapsed.seconds);
        duration.SetCaption(engine::TimeDisplayCaption(position, length));

        dur.SetMax(static_cast<float>(forms::Fix(length)));
        dur.SetValue(static_cast<float>(forms::Fix(position)));

        dur.SetToolTipText(engine::SeekBarToolTip(dur.Value(), dur.Max()));

        if (Timer6.Enabled()) Timer6.SetEnabled(false);
    } catch (const std::exception&) {
    }
}

void Form4::Check4_Click() {
    SavedIndex = List1.ListIndex();
    if (Check4.Value() == 1) List1.SetListIndex(SavedIndex);
}

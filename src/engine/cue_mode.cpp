// The cue mode: "Change timing", "OK ", the two key filters, the forward and back sweeps and
// the cue end.
#include "engine/cue_mode.h"

#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/message_box.h"
#include "platform/forms/units.h"
#include "platform/media/media_control.h"

#include <QVariant>
#include <algorithm>

using namespace forms;

namespace cue {

int SweepIntervalMs(double playLength) {
    const double seconds = std::clamp(playLength, 1.0, LongestPlayLength);
    return static_cast<int>(seconds) * 5;
}

bool IsValidStartSecond(double startSecond) {
    return startSecond >= 0 && startSecond < StartSecondLimit;
}

bool IsValidCue(double playLength, double startSecond) {
    return playLength > 0 && playLength < LongestPlayLength + 1 && IsValidStartSecond(startSecond);
}

bool IsAcceptedCueKey(int16_t keyAscii) {
    constexpr int16_t Backspace = 8;
    return (keyAscii >= '0' && keyAscii <= '9') || keyAscii == Backspace;
}

bool AtSweepEnd(double markerLeft, bool forward) {
    return forward ? markerLeft >= MarkerEnd : markerLeft <= MarkerStart;
}

bool AtEitherEnd(double markerLeft) {
    return AtSweepEnd(markerLeft, true) || AtSweepEnd(markerLeft, false);
}

double NextMarkerLeft(double markerLeft, bool forward) {
    return forward ? markerLeft + MarkerStep : markerLeft - MarkerStep;
}

} // namespace cue

namespace {
// The value of a cue field: the decimal number its text begins with.
double FieldValue(TextBox& field) { return LeadingDigitsValue(field.Text()); }

void ShowCueMessage(const std::string& text, MsgIcon icon) { MsgBox(text, icon, AppTitle()); }

void FilterCueKey(int16_t& keyAscii) {
    if (cue::IsAcceptedCueKey(keyAscii)) return;
    keyAscii = 0;
    ShowCueMessage(cue::OnlyIntegerMessage, MsgIcon::None);
}
} // namespace

void Form4::Check1_Click() {
    if (Check1.Value() == 1) ChangeTimingLatch = 1;
    // While the latch holds, the box cannot be unticked: ticking it again runs this handler
    // once more, nested, and that run finds it ticked.
    if (ChangeTimingLatch == 1) Check1.SetValue(1);
    Text3.SetEnabled(true);
    Timer2.SetEnabled(false);
    Timer1.SetEnabled(false);
    imgVol1.SetLeft(cue::MarkerStart);
}

void Form4::command11_Click() { CueOK(); }
void Form4::Label11_Click() { CueOK(); }

void Form4::CueOK() {
    if (Text2.Text().empty()) Text2.SetText("1");
    // Cancels a running sweep while "Change timing" is latched; otherwise changes nothing.
    Check1.SetValue(0);
    Text5.SetText(Text2.Text());
    // A disabled length field means a cue runs: "OK " then only records the start second.
    if (!Text3.Enabled()) return;

    const int16_t selected = List1.ListIndex();
    if (selected < 0 || List1.List(selected).empty()) {
        ShowCueMessage(cue::NoSongsMessage, MsgIcon::Exclamation);
        return;
    }
    if (!cue::IsValidCue(FieldValue(Text3), FieldValue(Text2))) {
        ShowCueMessage(cue::WrongCueMessage, MsgIcon::Exclamation);
        return;
    }
    ChangeTimingLatch = 0;
    Check1.SetValue(0);
    Text3.SetEnabled(false);
    // Each sweep starts slow, as in the first cue of a run, whatever the last cue left: a back
    // sweep whose first tick kept a short old interval would move the marker off the end before
    // the cue end's 100 ms tick looks, and a long new cue would then change songs at the wrong
    // turn-arounds.
    Timer2.SetInterval(cue::FirstSweepTickMs);
    Timer1.SetInterval(cue::FirstSweepTickMs);
    Timer2.SetEnabled(true);
}

void Form4::Text2_KeyPress(int16_t& KeyAscii) { FilterCueKey(KeyAscii); }
void Form4::Text3_KeyPress(int16_t& KeyAscii) { FilterCueKey(KeyAscii); }

void Form4::Timer2_Timer() { SweepTick(true); }
void Form4::Timer1_Timer() { SweepTick(false); }

void Form4::SweepTick(bool forward) {
    forms::Timer& own = forward ? Timer2 : Timer1;
    forms::Timer& other = forward ? Timer1 : Timer2;
    own.SetInterval(cue::SweepIntervalMs(FieldValue(Text3)));
    if (forward) Text3.SetEnabled(false);

    const double marker = imgVol1.Left();
    if (cue::AtSweepEnd(marker, forward)) {
        if (Check4.Value() == 1) {
            Timer3.SetEnabled(false);
            // With nothing open the media control may refuse the position; the sweep must
            // still turn around, or it would stand at the end for good.
            TryStep([this] { Media.SetCurrentPosition(FieldValue(Text2)); });
        } else {
            Timer3.SetEnabled(true);
        }
        own.SetEnabled(false);
        other.SetEnabled(true);
        return;
    }
    if (Media.PlayState() == media::PlayStatePlaying) HoldStartSecond();
    imgVol1.SetLeft(cue::NextMarkerLeft(marker, forward));
}

void Form4::HoldStartSecond() {
    if (Text2.Text().empty()) Text2.SetText("1");
    if (!cue::IsValidStartSecond(FieldValue(Text2))) {
        ShowCueMessage(cue::WrongStartSecondMessage, MsgIcon::Exclamation);
        Text2.SetText(cue::FallbackStartSecond);
    }
    const double startSecond = FieldValue(Text2);
    // Compared as text on purpose: a start second that sorts before the last applied one is
    // applied at once, also backwards; one that sorts at or after it only moves a song that
    // has not reached it yet.
    if (BinaryCompare(Text2.Text(), Text5.Text()) >= 0) {
        if (startSecond > Media.CurrentPosition()) Media.SetCurrentPosition(startSecond);
    } else {
        Media.SetCurrentPosition(startSecond);
    }
    Text5.SetText(Text2.Text());
}

void Form4::Timer3_Timer() {
    if (!cue::AtEitherEnd(imgVol1.Left())) return;

    const int16_t count = List1.ListCount();
    if (count == 0) {
        // The loader emptied the playlist while the cue ran: there is no item to wrap to.
        ShowCueMessage(cue::EmptyPlaylistMessage, MsgIcon::Information);
        Timer3.SetEnabled(false);
        return;
    }
    const int16_t selected = List1.ListIndex();
    if (selected == count - 1) {
        List1.SetListIndex(0);
    } else {
        List1.SetListIndex(selected + 1);
        if (List1.List(selected + 1).empty()) {
            ShowCueMessage(cue::EmptyPlaylistMessage, MsgIcon::Information);
            Timer3.SetEnabled(false);
            return;
        }
    }
    const int16_t next = List1.ListIndex();
    Media.Open(Module1::SongTable(next).FullPath);
    Text1.SetText(List1.List(next));
    if (Media.CurrentPosition() == 0)
        Media.SetCurrentPosition(Media.CurrentPosition() + FieldValue(Text2));
    Timer3.SetEnabled(false);
}

// The transport: play, pause, stop, mute and the four seek steps. Pause and stop suspend a
// running cue sweep and record which one it was, so that play can start it again.
#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/message_box.h"

#include <exception>

void Form4::play_Click() {
    // The resume record is cleared only once Play is accepted, so a refused play can be
    // clicked again and still restarts the sweep that was suspended.
    try {
        Timer.SetEnabled(true);
        if (CueResumeState == 1) Timer2.SetEnabled(true);
        if (BackSweepPaused == 1) Timer1.SetEnabled(true);
        if (CueResumeState == 2) Timer2.SetEnabled(true);
        Media.Play();
        CueResumeState = 0;
        BackSweepPaused = 0;
    } catch (const std::exception&) {
        forms::MsgBox("The player cannot play the song.\r\n"
                      " check wheather the file exist and you can access it.",
                      forms::MsgIcon::Critical, forms::AppTitle());
    }
}

void Form4::pause_Click() {
    // A media control that refuses the halt must not keep the cue sweep running: the sweep
    // is suspended and recorded whatever the media control did.
    forms::TryStep([this] {
        if (Media.CurrentPosition() != 0) Media.Pause();
    });
    if (Timer1.Enabled()) {
        BackSweepPaused = 1;
        Timer1.SetEnabled(false);
    }
    if (Timer2.Enabled()) {
        CueResumeState = 1;
        Timer2.SetEnabled(false);
    }
}

void Form4::stop1_Click() {
    Text3.SetEnabled(true);
    if (Timer2.Enabled() || Timer1.Enabled()) CueResumeState = 2;
    Timer2.SetEnabled(false);
    Timer1.SetEnabled(false);
    imgVol1.SetLeft(120);
    // Stop before any song is open may be refused by the media control; the halt is still
    // asked for when the rewind was refused.
    forms::TryStep([this] { Media.SetCurrentPosition(0); });
    forms::TryStep([this] { Media.Stop(); });
}

void Form4::mute_Click() {
    // When the media control refuses, the picture and the flag keep showing its real state.
    try {
        if (!SoundMuted) {
            Media.SetMute(true);
            mute.SetPicture(ImageList.Picture(1));
            SoundMuted = true;
        } else {
            Media.SetMute(false);
            mute.SetPicture(ImageList.Picture(2));
            SoundMuted = false;
        }
    } catch (const std::exception&) {
    }
}

// The captions say milliseconds; the steps are seconds.
void Form4::minusminus_Click() { SeekBy(-60); }
void Form4::minus_Click() { SeekBy(-30); }
void Form4::plus_Click() { SeekBy(30); }
void Form4::plusplus_Click() { SeekBy(60); }

void Form4::SeekBy(double seconds) {
    // No clamping here: the media control copes with a position before the start or past
    // the end. Failures end the step silently.
    try {
        const double length = Media.Duration();
        const double position = Media.CurrentPosition();
        // A position at the whole-second length, and no song at all (both 0), stay put.
        if (forms::Fix(length) == position) return;
        Media.SetCurrentPosition(Media.CurrentPosition() + seconds);
    } catch (const std::exception&) {
    }
}

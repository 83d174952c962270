// The volume slider: a knob picture dragged along a track label, its place mapped onto the
// hidden value holder VSvolume, whose change sets the speakers volume. The drag polls the
// cursor on a timer rather than following the knob's own mouse moves, so the knob keeps up
// with the cursor's horizontal position wherever the cursor goes while the button is down.
#include "main_window/volume_slider.h"

#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/units.h"

#include <cmath>

namespace volume_slider {

float KnobLeftUnderCursor(int cursorX, double twipsPerPixel, double windowLeft, double knobWidth) {
    return static_cast<float>(twipsPerPixel * cursorX - windowLeft - knobWidth / 2);
}

float KnobRightmostLeft(double trackLeft, double trackWidth, double knobWidth) {
    return static_cast<float>(trackLeft + trackWidth - knobWidth);
}

int16_t ValueSpan(int16_t min, int16_t max) {
    return forms::CInt(std::abs(static_cast<double>(min) - static_cast<double>(max)));
}

int16_t KnobValue(double knobLeft, double trackLeft, double trackWidth, double knobWidth,
                  int16_t min, int16_t max) {
    // Single arithmetic throughout, as the window's positions are Singles.
    const float travelled = static_cast<float>(knobLeft) - static_cast<float>(trackLeft);
    const float travel = static_cast<float>(trackWidth) - static_cast<float>(knobWidth);
    const float share = travelled / travel * static_cast<float>(ValueSpan(min, max));
    return forms::CInt(share);
}

} // namespace volume_slider

void Form4::imgVol_MouseDown(int, int, double, double) {
    // Any button holds the knob.
    KnobHeld = true;
    tmrMove.SetInterval(volume_slider::DragTickMs);
}

void Form4::imgVol_MouseUp(int, int, double, double) {
    KnobHeld = false;
    tmrMove.SetInterval(0);
}

void Form4::tmrMove_Timer() {
    if (KnobHeld) CursorStep();
}

void Form4::moving_Timer() {
    // The knob starts from the track's design Left and its own design size, on the track as
    // laid out: a mouse move may already have stopped the alignment timer, and a knob left at
    // the design Top would lie off its track (under the playlist on larger screens) for good.
    imgVol.Move(5040, lblVol.Top(), 225, 105);
    // A one-shot: even when the step fails (a holder range the knob cannot map), this timer
    // must not come back every 900 ms and move the knob under the cursor again.
    try {
        const int16_t before = VSvolume.Value();
        CursorStep();
        // The holder starts at 0 without a change, so a knob placed at the track's left end
        // changes nothing and sends nothing: it would show silence while the speakers kept
        // their volume. The placement sends its value in any case. The drag's steps do not:
        // from here on every value the holder has taken has been sent, and one write through
        // the mixer costs a few milliseconds against a tick every 10.
        if (VSvolume.Value() == before) VSvolume_Change();
    } catch (...) {
        moving.SetEnabled(false);
        throw;
    }
    moving.SetEnabled(false);
}

void Form4::CursorStep() {
    CursorPosition = forms::CursorPos();
    // Every comparison reads the knob's Left back: the widget holds whole pixels.
    imgVol.SetLeft(volume_slider::KnobLeftUnderCursor(CursorPosition.x(), forms::TwipsPerPixelX(),
                                                      Left(), imgVol.Width()));
    if (static_cast<float>(imgVol.Left()) < static_cast<float>(lblVol.Left())) {
        imgVol.SetLeft(lblVol.Left());
    }
    const float rightmost =
        volume_slider::KnobRightmostLeft(lblVol.Left(), lblVol.Width(), imgVol.Width());
    if (static_cast<float>(imgVol.Left()) > rightmost) imgVol.SetLeft(rightmost);
    // The assignment runs VSvolume_Change, which sends the new volume.
    VSvolume.SetValue(volume_slider::KnobValue(imgVol.Left(), lblVol.Left(), lblVol.Width(),
                                               imgVol.Width(), VSvolume.Min(), VSvolume.Max()));
}

void Form4::Timer6_Timer() {
    imgVol.SetTop(lblVol.Top());
    // Already running from the second tick on; enabling it again does not restart its count.
    Timer7.SetEnabled(true);
}

void Form4::Timer7_Timer() { Timer6.SetEnabled(false); }

void Form4::Form_MouseMove(int, int, double, double) { Timer6.SetEnabled(false); }

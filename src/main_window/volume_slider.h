#pragma once
// The volume slider's arithmetic: where the knob goes for a cursor position, how far it may
// travel along its track, and what value its place along the track stands for. Positions and
// sizes are twips in the window's coordinates; the cursor is in screen pixels.
#include <cstdint>

namespace volume_slider {

// The knob's Left that puts its centre under the cursor. The window has no border, so its
// inside starts at its Left. Kept as a Single, like every Left the window holds.
float KnobLeftUnderCursor(int cursorX, double twipsPerPixel, double windowLeft, double knobWidth);

// The furthest Left the knob may take: its right edge on the track's right edge.
float KnobRightmostLeft(double trackLeft, double trackWidth, double knobWidth);

// |min - max| as a 16-bit Integer: a run-time overflow error when it does not fit.
int16_t ValueSpan(int16_t min, int16_t max);

// The value for a knob at knobLeft: its share of the track's travel times the holder's span,
// to the nearest whole number (an exact half to the even neighbour). No lower bound is added,
// so the left end gives 0. A travel of nothing, or a value past 16 bits, is a run-time error.
int16_t KnobValue(double knobLeft, double trackLeft, double trackWidth, double knobWidth,
                  int16_t min, int16_t max);

// How often the cursor is polled while the knob is held.
constexpr int DragTickMs = 10;

} // namespace volume_slider

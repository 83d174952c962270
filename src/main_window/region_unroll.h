#pragma once
// The second phase of the main window's load (dome shape, unroll start, start-up visibility of
// the panels, colour scheme) and the unroll itself. The size rules are free functions so they
// can be checked on exact numbers.
#include <cstdint>

namespace unroll {

// The dome is the upper half of an ellipse as wide as the window and twice as high, from the
// window's top-left corner, so its centre lies on the bottom edge. Pixels, rounded to the
// nearest whole number with an exact half going to the even neighbour.
int32_t DomeWidthPixels(double widthTwips, double twipsPerPixelX);
int32_t DomeHeightPixels(double heightTwips, double twipsPerPixelY);

// How far the window grows on each tick.
constexpr int32_t StepTwips = 200;

// What one unroll tick works on: the window's height, which reads back in whole pixels, and
// the target height.
class UnrollWindow {
public:
    virtual ~UnrollWindow() = default;
    virtual void SetHeight(double twips) = 0;
    virtual double Height() = 0;
    virtual float Target() = 0;
};

// One tick: grows unrollHeight by a step and gives it to the window. Once the height read back
// passes the target, the window is set to the target and the result is true: the unroll is
// over. The comparison is strict, so a step that lands exactly on the target goes one step
// further and comes back.
bool UnrollTick(int32_t& unrollHeight, UnrollWindow& window);

} // namespace unroll

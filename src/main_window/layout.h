#pragma once
// The main window takes the size of the usable screen that the splash measured, and lays its
// controls out in proportion to a 12000 x 8640 twip reference layout. The rules are kept apart
// from the widgets so they can be run on exact numbers as well as on the window, whose
// controls hold whole pixels.
#include <optional>
#include <string>

namespace layout {

// The controls that the layout table moves or stretches.
enum class Item {
    Text1, duration, Frame1, List1, Image1, Image2, Frame3, plusplus, plus, dur, minus,
    minusminus, mute, play, stop1, pause, Check4, lblVol, imgVol, Label3, Check2, Check3,
    Frame6, Frame2, Label9,
};

enum class Side { Left, Top, Width, Height };

// What the layout reads and writes. Values are twips; the layout hands every result over as a
// single-precision number and reads back whatever the control then reports.
class LayoutGeometry {
public:
    virtual ~LayoutGeometry() = default;
    virtual double Get(Item item, Side side) = 0;
    virtual void Set(Item item, Side side, float twips) = 0;
    // W: the target width, the number in Text7.
    virtual double TargetWidth() = 0;
    // The target height, the number in Text6.
    virtual double TargetHeight() = 0;
    // H: the window's own height as it reads back after sizing.
    virtual double WindowHeight() = 0;
    virtual double WindowLeft() = 0;
    virtual double WindowWidth() = 0;
};

// Runs the 56 rows of the layout, in order; each row reads what the earlier rows set.
void ApplyLayoutTable(LayoutGeometry& geometry);

// The status strip's look for a target width W. Wide screens get a larger bold font, centred
// for the strip's current width; narrow ones the small font at the design left. Between the
// two the strip keeps its design look, so there is nothing to do.
struct StripLook {
    double fontSize;
    bool bold;  // true: make it bold; false: leave the weight as it is
    double left;
};
std::optional<StripLook> StatusStripLook(double W, double stripWidth);

} // namespace layout

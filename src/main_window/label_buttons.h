#pragma once
// The main window's label-buttons: a caption label on a face label, outlined by a shape. A
// press paints the button orange with dark text and outline; a release paints it back in the
// window's colour with green text. Twelve press and release handlers share these two looks.
#include "platform/forms/colors.h"

namespace forms {
class Label;
class Shape;
} // namespace forms

namespace label_buttons {

constexpr forms::OleColor PressedFace = forms::Orange;
constexpr forms::OleColor PressedText = forms::SysWindowText;  // dark text and outline
constexpr forms::OleColor ReleasedText = forms::Green;
constexpr forms::OleColor ReleasedOutline = forms::SysScrollBars;

struct LabelButton {
    forms::Label& caption;
    forms::Label& face;
    forms::Shape& outline;
};

void ShowPressedLook(const LabelButton& button);
// windowColour: the main window's background at the moment of the release.
void ShowReleasedLook(const LabelButton& button, forms::OleColor windowColour);

} // namespace label_buttons

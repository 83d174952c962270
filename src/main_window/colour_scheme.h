#pragma once
// The main window's colour scheme: one background colour shared by the window and a fixed
// list of its panels, check boxes, labels and label-button parts. Each start paints a random
// one; the popup menu's "Default" paints a fixed one.
#include "main_window/form4.h"
#include "platform/forms/colors.h"
#include "platform/forms/random.h"

namespace scheme {

// Seven draws, each from a freshly re-seeded generator; a draw d is the whole part of
// r x 100000. Only draws that fit a 16-bit Integer (up to 32767) count, and the last one that
// counts is the colour; none counting gives black. So the colour is always &H000000-&H007FFF.
forms::OleColor DrawColour(forms::RandomSource& random);

// Sets one member's background colour, whether the member is the window or a control.
void SetMemberBackColor(const Form4::ThemeMember& member, forms::OleColor colour);

// The load's last step: draws the colour and gives it to every member in turn. A member that
// refuses it is passed over and the rest still get it, like every other step of the load.
void PaintRandomScheme(Form4& form);

} // namespace scheme

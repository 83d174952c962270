// The colour scheme: which members share the window's background colour, how one colour is
// given to all of them, and how the start-up colour is drawn.
#include "main_window/colour_scheme.h"

#include "platform/forms/basic.h"

#include <cstdint>

namespace scheme {

forms::OleColor DrawColour(forms::RandomSource& random) {
    int16_t c = 0;
    for (int pass = 0; pass < 7; ++pass) {
        // A draw above 32767 overflows the Integer store; that pass then leaves c alone.
        forms::TryStep([&] {
            random.Randomize();
            const float r = random.Rnd();
            const double d = forms::Fix(static_cast<double>(r) * 100000);
            c = forms::CInt(d);
        });
    }
    return static_cast<forms::OleColor>(c);  // never negative: every draw is 0 or more
}

void SetMemberBackColor(const Form4::ThemeMember& member, forms::OleColor colour) {
    std::visit([colour](auto* target) { target->SetBackColor(colour); }, member);
}

void PaintRandomScheme(Form4& form) {
    const forms::OleColor colour = form.DrawThemeColor();
    for (const Form4::ThemeMember& member : form.ThemeControls())
        forms::TryStep([&] { SetMemberBackColor(member, colour); });
}

} // namespace scheme

std::vector<Form4::ThemeMember> Form4::ThemeControls() {
    return {this,    &Frame6,  &Frame2,  &Text1,   &Check1,    &Check2,   &Check3,
            &Check4, &Label9,  &Label8,  &Label7,  &Label1,    &Label3,   &Label4,
            &Label11, &command11, &Command2, &command13};
}

void Form4::ApplyThemeColor(forms::OleColor colour) {
    for (const ThemeMember& member : ThemeControls()) scheme::SetMemberBackColor(member, colour);
}

forms::OleColor Form4::DrawThemeColor() { return scheme::DrawColour(forms::Random()); }

// Being written.
#include "main_window/form4.h"

std::vector<forms::Control*> Form4::ThemeControls() { return {}; }
void Form4::ApplyThemeColor(forms::OleColor) {}
forms::OleColor Form4::DrawThemeColor() { return 0; }

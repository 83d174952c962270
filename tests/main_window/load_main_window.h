#pragma once
// Loads the main window as the start-up does: the splash holds the measured height and width
// (twips, as text) before the main window is first touched. The splash's own start-up tick is
// switched off, as it would show windows the tests do not want.
#include "main_window/form4.h"
#include "windows/frm_splash.h"

#include <string>

namespace support {

inline Form4& LoadMainWindow(const std::string& height, const std::string& width) {
    frmSplash& splash = forms::Default<frmSplash>();
    splash.Text1.SetText(height);
    splash.Text2.SetText(width);
    splash.Timer1.SetEnabled(false);
    forms::Default<Form4>().Load();
    return forms::Default<Form4>();
}

} // namespace support

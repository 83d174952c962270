#pragma once
// The start-up's hand-over to the main window: the splash holds the measured height and width
// (twips, as text) before the main window is first touched. The splash's own start-up tick is
// switched off, as it would show windows the tests do not want.
#include "main_window/form4.h"
#include "windows/frm_splash.h"

#include <string>

namespace support {

inline void MeasuredScreen(const std::string& height, const std::string& width) {
    frmSplash& splash = forms::Default<frmSplash>();
    splash.Timer1.SetEnabled(false);
    splash.Text1.SetText(height);
    splash.Text2.SetText(width);
}

inline Form4& LoadMainWindow(const std::string& height, const std::string& width) {
    MeasuredScreen(height, width);
    forms::Default<Form4>().Load();
    return forms::Default<Form4>();
}

} // namespace support

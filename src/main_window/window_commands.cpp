// The borderless window's stand-ins for a title bar: the right-click menu, "Minimize" to the
// taskbar placeholder, the watcher that brings the window back, and "Close" (which is also what
// a close from the window manager does).
#include "main_window/form4.h"

#include "platform/forms/program_end.h"
#include "windows/form5.h"
#include "windows/form6.h"

namespace {
constexpr int RightButton = 2;
}

void Form4::Form_MouseDown(int Button, int, double, double) {
    if (Button != RightButton) return;
    // Touching the menu loads its window, hidden; the window itself never shows.
    Form6& menus = forms::Default<Form6>();
    menus.mnup.SetMenuVisible(true);
    PopupMenu(menus.mnup);
}

void Form4::Image1_Click() {
    Hide();
    Form5& placeholder = forms::Default<Form5>();
    placeholder.Show();
    placeholder.SetWindowState(forms::vbMinimized);
}

void Form4::Timer5_Timer() {
    Form5& placeholder = forms::Default<Form5>();
    // The placeholder comes back maximised when the user restores it from the taskbar.
    if (placeholder.WindowState() != forms::vbMaximized) return;
    placeholder.SetWindowState(forms::vbMinimized);
    placeholder.Hide();
    Show();
}

void Form4::Image2_Click() {
    Unload();
    forms::EndProgram();
}

// Alt+F4, a taskbar's or a task switcher's close: the window has no title bar, but it is still
// the program, and unloading it alone would leave the song playing with no window at all.
void Form4::Form_CloseRequest() { Image2_Click(); }

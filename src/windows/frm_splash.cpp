#include "windows/frm_splash.h"

#include "assets/pictures.h"
#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/message_box.h"
#include "platform/forms/program_end.h"
#include "windows/form6.h"

using namespace forms;

namespace {

void designLabel(Label& label, const std::string& text, double left, double top, double width,
                 double height, double points, int alignment) {
    label.Move(left, top, width, height);
    label.SetBackColor(Blue);
    label.SetForeColor(Yellow);
    label.SetFont("Arial", points, true);
    label.SetAlignment(alignment);
    label.SetCaption(text);
}
} // namespace

std::string VersionCaption(int major, int minor, int revision) {
    return "Version " + std::to_string(major) + "." + std::to_string(minor) + "." +
           std::to_string(revision);
}

frmSplash::frmSplash() {
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Frame1.Click = [this] { Frame1_Click(); };
}

void frmSplash::Design() {
    // The splash draws no caption of its own, but the window manager's title bar and window
    // lists name a window by its caption: a blank one would leave the splash nameless there.
    SetCaption(AppTitle());
    SetFixedDialog(true);
    SetShowInTaskbar(false);
    SetStartCentred(true);
    SetClientSize(7380, 4245);
    SetBackColor(Blue);

    Frame1.Move(160, 50, 7080, 4050);
    Frame1.SetCaption("");
    Frame1.SetBackColor(Blue);

    designLabel(lblProductName, "Corvessa", 2040, 1140, 4560, 765, 32.25, AlignLeft);
    lblProductName.SetAutoSize(true);
    designLabel(lblPlatform, "Platform: Windows 9x,NT ", 2430, 2040, 3885, 360, 15.75, AlignRight);
    lblPlatform.SetAutoSize(true);
    designLabel(lblVersion, "", 2910, 2460, 1770, 285, 12, AlignRight);
    lblVersion.SetAutoSize(true);
    designLabel(lblCredit, "Music in a dome: a folder of songs, played on and on", 240, 3120,
                6600, 600, 9.75, AlignCenter);

    imgLogo.SetStretch(true);
    imgLogo.SetPicture(pictures::Logo());
    imgLogo.Move(240, 795, 1815, 1665);

    // Off until the load handler switches it on.
    Timer1.SetEnabled(false);
    Timer1.SetInterval(700);

    Text1.Move(0, 1680, 1455, 285);
    Text1.SetText("Text1");
    Text2.Move(0, 2280, 1575, 285);
    Text2.SetText("Text2");
}

void frmSplash::Form_Load() {
    Timer1.SetEnabled(true);
    Text1.SetVisible(false);
    Text2.SetVisible(false);
    lblVersion.SetCaption(
        VersionCaption(CORVESSA_VERSION_MAJOR, CORVESSA_VERSION_MINOR, CORVESSA_VERSION_REVISION));
}

// One tick: the whole start-up, in this order. Writing Text1 after the unload loads the splash
// again, hidden (its load handler runs a second time), and the timer that load switched on again
// is switched off in the last step, so there is never a second tick.
void frmSplash::Timer1_Timer() {
    Unload();

    Form6& measuring = forms::Default<Form6>();
    measuring.Show();
    // A maximised window's outer size is the usable screen, whenever the window manager gets
    // round to maximising it.
    Text1.SetText(SingleToText(static_cast<float>(measuring.Height())));
    Text2.SetText(SingleToText(static_cast<float>(measuring.Width())));
    measuring.Unload();

    forms::Default<Form4>().Show();
    Timer1.SetEnabled(false);
}

// Clicking the splash neither dismisses nor hurries it.
void frmSplash::Frame1_Click() {}

// Closed before its tick, the splash would leave nothing behind to open the main window, and
// the process would run on with no window at all: closing it ends the program instead.
void frmSplash::Form_CloseRequest() { forms::EndProgram(); }

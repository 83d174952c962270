// Corvessa starts by showing its splash; everything else follows from the splash's timer.
#include "assets/pictures.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "windows/frm_splash.h"

#include <QApplication>
#include <QIcon>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
// Without a display Qt's X platform aborts after advising a reinstall. Asked first, the user
// learns what is missing instead. Only the X platform is checked: a platform named in
// QT_QPA_PLATFORM (the tests' offscreen one), or a Wayland session, is Qt's to start.
// Returns what is wrong, or nothing when the display answers.
std::string MissingXDisplay() {
    const auto env = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value ? value : "");
    };
    const std::string platform = env("QT_QPA_PLATFORM");
    const std::string chosen = platform.substr(0, platform.find_first_of(":;"));
    if (!chosen.empty() && chosen != "xcb") return {};
    if (chosen.empty() && env("XDG_SESSION_TYPE") == "wayland") return {};

    const std::string name = env("DISPLAY");
    if (name.empty()) return "none is set (DISPLAY is empty)";
    Display* display = XOpenDisplay(name.c_str());
    if (!display) return "cannot open X display " + name;
    XCloseDisplay(display);
    return {};
}
} // namespace

int main(int argc, char** argv) {
    if (const std::string missing = MissingXDisplay(); !missing.empty()) {
        std::fprintf(stderr, "Corvessa needs an X display; %s\n", missing.c_str());
        return 1;
    }
    QApplication app(argc, argv);
    app.setApplicationName("Corvessa");
    app.setWindowIcon(QIcon(pictures::Logo()));
    // Hidden windows stay loaded all the time: the program ends only by its own ways out.
    app.setQuitOnLastWindowClosed(false);
    forms::UseStandInFonts();

    forms::Default<frmSplash>().Show();
    return app.exec();
}

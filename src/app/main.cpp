// Corvessa starts by showing its splash; everything else follows from the splash's timer.
#include "assets/pictures.h"
#include "platform/forms/form.h"
#include "windows/frm_splash.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace {
// The windows name the classic desktop fonts. Debian has free fonts of the same metrics, or
// close to them; name them here so that every window picks the same stand-in on any machine.
void StandInForClassicFonts() {
    QFont::insertSubstitutions("Arial", {"Liberation Sans", "Arimo"});
    QFont::insertSubstitutions("MS Sans Serif", {"Liberation Sans", "DejaVu Sans"});
    QFont::insertSubstitutions("Verdana", {"DejaVu Sans"});
    QFont::insertSubstitutions("Comic Sans MS", {"Comic Neue", "DejaVu Sans"});
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Corvessa");
    app.setWindowIcon(QIcon(pictures::Logo()));
    // Hidden windows stay loaded all the time: the program ends only by its own ways out.
    app.setQuitOnLastWindowClosed(false);
    StandInForClassicFonts();

    forms::Default<frmSplash>().Show();
    return app.exec();
}

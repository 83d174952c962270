// Corvessa starts by showing its splash; everything else follows from the splash's timer.
#include "assets/pictures.h"
#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "windows/frm_splash.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setApplicationName("Corvessa");
    app.setWindowIcon(QIcon(pictures::Logo()));
    // Hidden windows stay loaded all the time: the program ends only by its own ways out.
    app.setQuitOnLastWindowClosed(false);
    forms::UseStandInFonts();

    forms::Default<frmSplash>().Show();
    return app.exec();
}

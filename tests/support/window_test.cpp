#include "window_test.h"

#include "platform/forms/fonts.h"
#include "platform/forms/form.h"
#include "platform/forms/program_end.h"
#include "platform/forms/units.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

namespace support {

QApplication& EnsureApp() {
    static int argc = 1;
    static char name[] = "corvessa-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* made = new QApplication(argc, argv);
        forms::UseStandInFonts();  // the windows measure as they do in the program
        return made;
    }();
    return *app;
}

[[noreturn]] static void endByThrowing() { throw ProgramEnded{}; }

void WindowTest::SetUp() {
    EnsureApp();
    forms::SetScheduler(&clock);
    forms::SetMessageBoxService(&messages);
    forms::SetRandomSource(&random);
    forms::SetPopupService(&popups);
    forms::SetCursorSource([this] { return cursor; });
    forms::SetEndHook(&endByThrowing);
    media::SetMediaFactory(&CreateFakeMediaControl);
    mixer::SetSystemMixer(&mixers);
}

void WindowTest::TearDown() {
    forms::ResetDefaultInstances();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    forms::SetScheduler(nullptr);
    forms::SetMessageBoxService(nullptr);
    forms::SetRandomSource(nullptr);
    forms::SetPopupService(nullptr);
    forms::SetCursorSource(nullptr);
    forms::SetEndHook(nullptr);
    media::SetMediaFactory(nullptr);
    mixer::SetSystemMixer(nullptr);
}

} // namespace support

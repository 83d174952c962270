#include "windows/form5.h"

#include "main_window/form4.h"
#include "platform/forms/program_end.h"

void Form5::Design() {
    SetCaption("Form5");
    SetClientSize(4680, 3090);
    // Maximised by design and minimised from there: restored from the taskbar it comes back
    // maximised, which is what tells the main window's watcher to bring the main window back.
    SetDesignWindowState(forms::vbMaximized);
}

// The taskbar button must read like the main window it stands for.
void Form5::Form_Load() { SetCaption(forms::Default<Form4>().Caption()); }

// However the user closes the placeholder, the whole program goes with it.
void Form5::Form_Unload(int& cancel) {
    (void)cancel;
    forms::EndProgram();
}

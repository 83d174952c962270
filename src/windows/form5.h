#pragma once
// The taskbar placeholder: while the borderless main window is hidden, this window's taskbar
// button stands for it. It carries the main window's caption, and closing it ends the program.
#include "platform/forms/form.h"

class Form5 : public forms::Form {
protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
};

#pragma once
// The splash: the first window of the program. Its timer runs the whole start-up: it measures
// the usable screen through the maximised popup-menu window, keeps the measured size in two
// hidden text boxes for the main window to read, and opens the main window.
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/timer.h"

#include <string>

class frmSplash : public forms::Form {
public:
    frmSplash();

    forms::Frame Frame1{*this, "Frame1"};
    forms::Image imgLogo{*this, "imgLogo", &Frame1};
    forms::Label lblProductName{*this, "lblProductName", &Frame1};
    forms::Label lblPlatform{*this, "lblPlatform", &Frame1};
    forms::Label lblVersion{*this, "lblVersion", &Frame1};
    forms::Label lblCredit{*this, "lblCredit", &Frame1};
    forms::Timer Timer1{*this, "Timer1"};

    // The measured height and width in twips, as text; the user never sees them.
    forms::TextBox Text1{*this, "Text1"};
    forms::TextBox Text2{*this, "Text2"};

    void Timer1_Timer();
    void Frame1_Click();

protected:
    void Design() override;
    void Form_Load() override;
    void Form_CloseRequest() override;
};

// "Version " and the three numbers joined by points, as the version label shows them.
std::string VersionCaption(int major, int minor, int revision);

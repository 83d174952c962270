#pragma once
// The popup-menu window. Nobody sees it in normal use: at start-up it is shown maximised for a
// moment to measure the usable screen, and otherwise it only holds the main window's right-click
// menu.
#include "platform/forms/form.h"
#include "platform/forms/menu.h"

class Form6 : public forms::Form {
public:
    Form6();

    // The popup root and its items, in the order the popup lists them.
    forms::Menu mnup{*this, "mnup"};                // "ppp"
    forms::Menu default_{*this, "default", &mnup};  // "Default"
    forms::Menu mnuop{*this, "mnuop", &mnup};       // separator
    forms::Menu mnua{*this, "mnua", &mnup};         // "About Me"
    forms::Menu mnuhj{*this, "mnuhj", &mnup};       // separator
    forms::Menu mnue{*this, "mnue", &mnup};         // "Exit"

    void default_Click();
    void mnua_Click();
    void mnue_Click();

protected:
    void Design() override;
};

// The colour that "Default" gives the main window's scheme: dark red.
constexpr forms::OleColor DefaultSchemeColour = forms::DarkRed;

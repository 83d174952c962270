#include "windows/form6.h"

#include "main_window/form4.h"
#include "platform/forms/program_end.h"
#include "windows/form3.h"

Form6::Form6() {
    default_.Click = [this] { default_Click(); };
    mnua.Click = [this] { mnua_Click(); };
    mnue.Click = [this] { mnue_Click(); };
}

void Form6::Design() {
    SetCaption("Corvessa");
    SetBackColor(DefaultSchemeColour);
    SetShowInTaskbar(false);
    SetClientSize(4680, 3090);
    // Maximised by design: the start-up measures the usable screen through this window.
    SetDesignWindowState(forms::vbMaximized);

    mnup.SetCaption("ppp");
    default_.SetCaption("Default");
    mnuop.SetCaption("-");
    mnua.SetCaption("About Me");
    mnuhj.SetCaption("-");
    mnue.SetCaption("Exit");
}

void Form6::default_Click() { forms::Default<Form4>().ApplyThemeColor(DefaultSchemeColour); }

void Form6::mnua_Click() { forms::Default<Form3>().Show(); }

void Form6::mnue_Click() { forms::EndProgram(); }

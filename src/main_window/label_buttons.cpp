// The label-buttons "Load list", "About me " and "OK ", and the check boxes that show and hide
// the button panel and the cue panel. The caption label and the face label of a button are
// twins: a press or a click anywhere on the button behaves the same.
#include "main_window/label_buttons.h"

#include "loader/form2.h"
#include "main_window/form4.h"
#include "windows/form3.h"

using namespace forms;

namespace label_buttons {

void ShowPressedLook(const LabelButton& button) {
    button.face.SetBackColor(PressedFace);
    // The caption takes whatever the face now holds, so the two always match.
    button.caption.SetBackColor(button.face.BackColor());
    button.caption.SetForeColor(PressedText);
    button.outline.SetBorderColor(PressedText);
}

void ShowReleasedLook(const LabelButton& button, OleColor windowColour) {
    button.face.SetBackColor(windowColour);
    button.caption.SetBackColor(button.face.BackColor());
    button.caption.SetForeColor(ReleasedText);
    button.outline.SetBorderColor(ReleasedOutline);
}

} // namespace label_buttons

namespace {
using label_buttons::LabelButton;

LabelButton LoadListButton(Form4& f) { return {f.Command2, f.Label8, f.Shape2}; }
LabelButton AboutMeButton(Form4& f) { return {f.command13, f.Label7, f.Shape4}; }
LabelButton OkButton(Form4& f) { return {f.command11, f.Label11, f.Shape5}; }

// The mouse button, shift state and place are not looked at: any button gives the same look.
void Press(const LabelButton& button) { label_buttons::ShowPressedLook(button); }
// The release paints the button in the window's colour of this moment.
void Release(Form4& window, const LabelButton& button) {
    label_buttons::ShowReleasedLook(button, window.BackColor());
}
} // namespace

// ---- "Load list" ----
void Form4::Command2_MouseDown(int, int, double, double) { Press(LoadListButton(*this)); }
void Form4::Label8_MouseDown(int, int, double, double) { Press(LoadListButton(*this)); }
void Form4::Command2_MouseUp(int, int, double, double) { Release(*this, LoadListButton(*this)); }
void Form4::Label8_MouseUp(int, int, double, double) { Release(*this, LoadListButton(*this)); }
void Form4::Command2_Click() { Default<Form2>().Show(); }
void Form4::Label8_Click() { Default<Form2>().Show(); }

// ---- "About me " ----
void Form4::command13_MouseDown(int, int, double, double) { Press(AboutMeButton(*this)); }
void Form4::Label7_MouseDown(int, int, double, double) { Press(AboutMeButton(*this)); }
void Form4::command13_MouseUp(int, int, double, double) { Release(*this, AboutMeButton(*this)); }
void Form4::Label7_MouseUp(int, int, double, double) { Release(*this, AboutMeButton(*this)); }
void Form4::command13_Click() { Default<Form3>().Show(); }
void Form4::Label7_Click() { Default<Form3>().Show(); }

// ---- "OK " (its clicks run the cue's OK, engine/cue_mode.cpp) ----
void Form4::command11_MouseDown(int, int, double, double) { Press(OkButton(*this)); }
void Form4::Label11_MouseDown(int, int, double, double) { Press(OkButton(*this)); }
void Form4::command11_MouseUp(int, int, double, double) { Release(*this, OkButton(*this)); }
void Form4::Label11_MouseUp(int, int, double, double) { Release(*this, OkButton(*this)); }

// ---- Panel toggles ----
// Everything is shown first and hidden again when the box is unticked; both happen in one
// handler, so an unticking never puts the panel on screen. The start-up hid these controls
// one by one, which is why they are shown one by one too.
void Form4::Check2_Click() {
    Frame6.SetVisible(true);
    command11.SetVisible(true);
    Label4.SetVisible(true);
    Text2.SetVisible(true);
    if (Check2.Value() == 0) {
        Frame6.SetVisible(false);
        command11.SetVisible(false);
        Text2.SetVisible(false);
    }
}

void Form4::Check3_Click() {
    Frame2.SetVisible(true);
    command13.SetVisible(true);
    if (Check3.Value() == 0) {
        Frame2.SetVisible(false);
        command13.SetVisible(false);
    }
}

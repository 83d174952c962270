#include "windows/form3.h"

#include "assets/pictures.h"

using namespace forms;

namespace {

void designCreditLine(Label& label, const std::string& text, double left, double top,
                      double width, double height) {
    label.Move(left, top, width, height);
    label.SetCaption(text);
    label.SetFont("Verdana", 11.25);
    label.SetAlignment(AlignCenter);
}
} // namespace

Form3::Form3() { Command1.Click = [this] { Command1_Click(); }; }

void Form3::Design() {
    SetCaption("About us");
    SetClientSize(6405, 5970);
    SetFixedDialog(true);
    SetShowInTaskbar(false);
    SetStartCentred(true);

    Frame1.Move(2280, 360, 3975, 2175);
    Frame1.SetCaption("");
    designCreditLine(Label1, "Corvessa", 120, 240, 3735, 375);
    designCreditLine(Label2, "Music in a dome", 240, 720, 3495, 495);
    designCreditLine(Label3, "Plays a folder of MP3s, song after song", 120, 1200, 3735, 615);

    Frame2.Move(120, 2640, 6135, 2175);
    Frame2.SetCaption("");
    Label4.Move(360, 360, 5535, 1695);
    Label4.SetCaption(
        "Corvessa is free to use and to share. Fill the playlist from a folder, double-click a "
        "song and let it play on. Right-click the dome for the default colours, this window "
        "or Exit.");
    Label4.SetFont("Arial", 12, true);
    Label4.SetForeColor(Red);

    Image1.Move(240, 480, 2025, 2040);
    Image1.SetPicture(pictures::Logo());

    Command1.Move(2520, 5160, 1455, 375);
    Command1.SetCaption("OK");
    Command1.SetBackColor(SysWindowBackground);
    // The only control that takes the focus, so Enter or the space bar closes the window.
    Command1.Widget()->setFocus();
}

void Form3::Command1_Click() { Unload(); }

// Closing the window is the same as "OK".
void Form3::Form_CloseRequest() { Command1_Click(); }

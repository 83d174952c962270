// The main window's design: every control's design values, and the wiring of each event to
// its handler. Load runs the two phases of the load handler.
#include "main_window/form4.h"

#include "assets/pictures.h"
#include "engine/cue_mode.h"
#include "platform/forms/message_box.h"

using namespace forms;

namespace {

void designLabelButton(Label& caption, Label& face, Shape& shape, const std::string& text,
                       double cl, double ct, double cw, double ch, double fl, double ft, double fw,
                       double fh, double sl, double st, double sw, double sh) {
    shape.Move(sl, st, sw, sh);
    shape.SetBorderColor(SysScrollBars);
    face.Move(fl, ft, fw, fh);
    face.SetBackColor(SysActiveTitleBar);
    face.SetCaption("");
    caption.Move(cl, ct, cw, ch);
    caption.SetCaption(text);
    caption.SetBackColor(SysActiveTitleBar);
    caption.SetForeColor(Green);
    caption.SetAlignment(AlignCenter);
    caption.SetFont("Arial", 9.75);
    // The caption lies on the face; the outline on top of both takes no input.
    face.Widget()->raise();
    caption.Widget()->raise();
    shape.Widget()->raise();
}

void designSeekLabel(Label& l, const std::string& caption, double left, double width, int align,
                     const std::string& tip) {
    l.Move(left, 6675, width, 255);
    l.SetCaption(caption);
    l.SetForeColor(Green);
    l.SetBackStyle(0);
    l.SetAlignment(align);
    l.SetToolTipText(tip);
    l.SetVisible(false);
}

void designTransportButton(CommandButton& b, double left, double top, const QPixmap& picture,
                           const QPixmap& down, const std::string& tip, bool enabled) {
    b.Move(left, top, 975, 1095);
    b.SetBackColor(White);
    b.SetPicture(picture);
    if (!down.isNull()) b.SetDownPicture(down);
    b.SetToolTipText(tip);
    b.SetEnabled(enabled);
}
} // namespace

Form4::Form4() { WireHandlers(); }

void Form4::Design() {
    SetBorderless(true);
    SetShowInTaskbar(false);
    SetClientSize(12000, 11520);
    // The window stands at the screen's top-left corner and unrolls downward from there; a
    // window with no place of its own would be put wherever the window manager likes.
    Widget()->move(0, 0);
    SetCaption(AppTitle());
    SetBackColor(SysActiveTitleBar);

    Archivo_Indice = 0;
    Min_Total = 0;
    SavedIndex = ElapsedMinutes = ElapsedSeconds = 0;
    CueResumeState = BackSweepPaused = 0;
    SoundMuted = false;
    ChangeTimingLatch = 0;
    UnrollHeight = 0;
    VolumeControl = mixer::MixerControl{};
    KnobHeld = false;
    CursorPosition = QPoint();
    CreditLine = "Corvessa - a dome of music: load a folder, double-click a song, and let it play on";
    CreditTickCount = 0;
    CreditBlankPhase = false;
    CreditColourValue = 0;

    // Playlist.
    Frame1.Move(4680, 1680, 2535, 4575);
    Frame1.SetCaption("Playlist");
    Frame1.SetBackColor(Orange);
    List1.Move(120, 240, 2295, 4125);
    List1.SetSorted(true);
    List1.SetBackColor(LightBlue);

    // Folder line.
    Frame3.Move(3532, 960, 4350, 615);
    Frame3.SetCaption("Directory :");
    Frame3.SetBackColor(Orange);
    Label2.Move(240, 240, 3855, 255);
    Label2.SetCaption("(Direction)");
    Label2.SetBackColor(LightBlue);
    Label2.SetFont("Comic Sans MS", 8.25);

    // Now playing, time display, seek bar and seek labels.
    Text1.Move(3480, 6915, 4215, 285);
    Text1.SetBorderStyle(0);
    Text1.SetBackColor(LightBlue);
    Text1.SetVisible(false);
    duration.Move(3480, 6660, 4215, 255);
    duration.SetCaption("Duration...");
    duration.SetForeColor(Green);
    duration.SetBackStyle(0);
    duration.SetVisible(false);
    dur.Move(6240, 6720, 1095, 135);
    dur.SetVisible(false);
    designSeekLabel(minusminus, "<<", 5925, 180, AlignCenter, "Reverse a song by 60 ms");
    designSeekLabel(minus, "<", 6105, 135, AlignLeft, "Reverse a song by 30 ms");
    designSeekLabel(plus, ">", 7365, 135, AlignCenter, "forward by 30  ms");
    designSeekLabel(plusplus, ">>", 7500, 255, AlignCenter, "Forward by 60 ms");

    // Transport.
    designTransportButton(play, 480, 10320, pictures::PlayButton(false),
                          pictures::PlayButton(true), "Play button", false);
    designTransportButton(pause, 6720, 7320, pictures::PauseButton(false),
                          pictures::PauseButton(true), "Pause button", false);
    designTransportButton(stop1, 3480, 7320, pictures::StopButton(false),
                          pictures::StopButton(true), "Stop button", true);
    designTransportButton(mute, 10680, 7320, pictures::Loudspeaker(), QPixmap(), "Mute button",
                          true);
    ImageList.Add(pictures::LoudspeakerMuted());
    ImageList.Add(pictures::Loudspeaker());

    // Check boxes of the window.
    Check2.Move(8400, 7320, 1615, 255);
    Check2.SetCaption("Hide/Show Timing ");
    Check3.Move(8400, 7800, 1650, 255);
    Check3.SetCaption("Hide/Show Control");
    Check4.Move(1800, 7800, 825, 255);
    Check4.SetCaption("Repeat");
    for (CheckBox* c : {&Check2, &Check3, &Check4}) {
        c->SetBackColor(SysActiveTitleBar);
        c->SetForeColor(Green);
    }

    // Volume slider.
    lblVol.Move(5040, 7800, 1215, 135);
    lblVol.SetBorderStyle(1);
    lblVol.SetBackStyle(0);
    lblVol.SetCaption("");
    imgVol.SetStretch(true);
    imgVol.SetPicture(pictures::VolumeKnob());
    imgVol.Move(6000, 7800, 225, 105);
    Label3.Move(5378, 7920, 530, 195);
    Label3.SetCaption("Volume");
    Label3.SetForeColor(Green);
    Label3.SetBackStyle(0);
    // 530 twips is the caption's own width in its font; the layout reads it before it sets one.
    Label3.SetFont("Comic Sans MS", 8.25);
    VSvolume.SetVisible(false);

    // Status strip and window commands.
    Label9.Move(1350, 6360, 9165, 255);
    Label9.SetFont("Arial", 8.25);
    Label9.SetForeColor(Green);
    Label9.SetBackColor(SysActiveTitleBar);
    Label9.SetCaption("");
    Image1.SetPicture(pictures::MinimizeButton());
    Image1.Move(5640, 360, 345, 345);
    Image1.SetToolTipText("Minimize");
    Image2.SetPicture(pictures::CloseButton());
    Image2.Move(6120, 360, 345, 345);
    Image2.SetToolTipText("Close");
    Text4.Move(480, 960, 1215, 285);
    Text4.SetText("Text4");
    Text6.Move(480, 1320, 1215, 285);
    Text6.SetText("Text6");
    Text7.Move(480, 1680, 1215, 285);
    Text7.SetText("Text7");

    // Cue panel.
    Frame6.Move(1680, 2760, 2535, 2640);
    Frame6.SetCaption("Select Time For Song ");
    Frame6.SetBackColor(SysActiveTitleBar);
    Frame6.SetForeColor(Green);
    lblVol1.Move(120, 480, 2175, 135);
    lblVol1.SetBorderStyle(1);
    lblVol1.SetBackStyle(0);
    lblVol1.SetCaption("");
    lblVol1.SetToolTipText("Timing Seek");
    imgVol1.SetStretch(true);
    imgVol1.SetPicture(pictures::CueMarker());
    imgVol1.Move(120, 480, 225, 105);
    Label1.Move(120, 960, 2055, 255);
    Label1.SetCaption("Time ( in sec) to play ");
    Text3.Move(1920, 960, 390, 285);
    Text3.SetText("1");
    Label4.Move(120, 1320, 1935, 255);
    Label4.SetCaption("Starting time ( in sec ) ");
    Text2.Move(1920, 1320, 390, 285);
    Text2.SetText("");
    Check1.Move(240, 1680, 1815, 255);
    Check1.SetCaption("Change timing");
    Text5.Move(120, 2040, 510, 285);
    Text5.SetText("");
    for (Label* l : {&Label1, &Label4}) {
        l->SetBackColor(SysActiveTitleBar);
        l->SetForeColor(Green);
    }
    Check1.SetBackColor(SysActiveTitleBar);
    Check1.SetForeColor(Green);
    designLabelButton(command11, Label11, Shape5, "OK ", 1080, 2100, 615, 225, 960, 2055, 855, 375,
                      960, 2040, 885, 405);
    imgVol1.Widget()->raise();

    // Button panel.
    Frame2.Move(7320, 2760, 2535, 2640);
    Frame2.SetCaption("Control of Player");
    Frame2.SetBackColor(SysActiveTitleBar);
    Frame2.SetForeColor(Green);
    designLabelButton(Command2, Label8, Shape2, "Load list", 600, 900, 1095, 225, 480, 848, 1335,
                      375, 480, 840, 1335, 400);
    designLabelButton(command13, Label7, Shape4, "About me ", 600, 2100, 1095, 225, 480, 2048,
                      1335, 375, 480, 2040, 1335, 400);

    // The knob lies in front of its track; the frames lie behind everything else.
    imgVol.Widget()->raise();
    for (Frame* f : {&Frame1, &Frame3, &Frame6, &Frame2}) f->Widget()->lower();

    // Timers at their design values.
    auto designTimer = [](forms::Timer& t, int interval, bool enabled) {
        t.SetEnabled(false);
        t.SetInterval(interval);
        t.SetEnabled(enabled);
    };
    designTimer(Timer, 1000, false);
    designTimer(Timer1, cue::FirstSweepTickMs, false);
    designTimer(Timer2, cue::FirstSweepTickMs, false);
    designTimer(Timer3, 100, false);
    designTimer(Timer4, 100, true);
    designTimer(Timer5, 1, true);
    designTimer(Timer6, 1, false);
    designTimer(Timer7, 900, false);
    designTimer(Timer8, 10, true);
    designTimer(moving, 900, false);
    designTimer(tmrMove, 0, true);
}

void Form4::Form_Load() {
    LoadFirstPhase();
    LoadSecondPhase();
}

void Form4::WireHandlers() {
    List1.DblClick = [this] { List1_DblClick(); };
    Text1.Change = [this] { Text1_Change(); };
    Check4.Click = [this] { Check4_Click(); };
    play.Click = [this] { play_Click(); };
    pause.Click = [this] { pause_Click(); };
    stop1.Click = [this] { stop1_Click(); };
    mute.Click = [this] { mute_Click(); };
    minusminus.Click = [this] { minusminus_Click(); };
    minus.Click = [this] { minus_Click(); };
    plus.Click = [this] { plus_Click(); };
    plusplus.Click = [this] { plusplus_Click(); };

    Check1.Click = [this] { Check1_Click(); };
    command11.Click = [this] { command11_Click(); };
    Label11.Click = [this] { Label11_Click(); };
    Text2.KeyPress = [this](int16_t& k) { Text2_KeyPress(k); };
    Text3.KeyPress = [this](int16_t& k) { Text3_KeyPress(k); };
    VSvolume.Change = [this] { VSvolume_Change(); };

    imgVol.MouseDown = [this](int b, int s, double x, double y) { imgVol_MouseDown(b, s, x, y); };
    imgVol.MouseUp = [this](int b, int s, double x, double y) { imgVol_MouseUp(b, s, x, y); };

    Command2.MouseDown = [this](int b, int s, double x, double y) { Command2_MouseDown(b, s, x, y); };
    Label8.MouseDown = [this](int b, int s, double x, double y) { Label8_MouseDown(b, s, x, y); };
    Command2.MouseUp = [this](int b, int s, double x, double y) { Command2_MouseUp(b, s, x, y); };
    Label8.MouseUp = [this](int b, int s, double x, double y) { Label8_MouseUp(b, s, x, y); };
    Command2.Click = [this] { Command2_Click(); };
    Label8.Click = [this] { Label8_Click(); };
    command13.MouseDown = [this](int b, int s, double x, double y) { command13_MouseDown(b, s, x, y); };
    Label7.MouseDown = [this](int b, int s, double x, double y) { Label7_MouseDown(b, s, x, y); };
    command13.MouseUp = [this](int b, int s, double x, double y) { command13_MouseUp(b, s, x, y); };
    Label7.MouseUp = [this](int b, int s, double x, double y) { Label7_MouseUp(b, s, x, y); };
    command13.Click = [this] { command13_Click(); };
    Label7.Click = [this] { Label7_Click(); };
    command11.MouseDown = [this](int b, int s, double x, double y) { command11_MouseDown(b, s, x, y); };
    Label11.MouseDown = [this](int b, int s, double x, double y) { Label11_MouseDown(b, s, x, y); };
    command11.MouseUp = [this](int b, int s, double x, double y) { command11_MouseUp(b, s, x, y); };
    Label11.MouseUp = [this](int b, int s, double x, double y) { Label11_MouseUp(b, s, x, y); };
    Check2.Click = [this] { Check2_Click(); };
    Check3.Click = [this] { Check3_Click(); };

    Image1.Click = [this] { Image1_Click(); };
    Image2.Click = [this] { Image2_Click(); };

    Timer.OnTimer = [this] { Timer_Timer(); };
    Timer1.OnTimer = [this] { Timer1_Timer(); };
    Timer2.OnTimer = [this] { Timer2_Timer(); };
    Timer3.OnTimer = [this] { Timer3_Timer(); };
    Timer4.OnTimer = [this] { Timer4_Timer(); };
    Timer5.OnTimer = [this] { Timer5_Timer(); };
    Timer6.OnTimer = [this] { Timer6_Timer(); };
    Timer7.OnTimer = [this] { Timer7_Timer(); };
    Timer8.OnTimer = [this] { Timer8_Timer(); };
    moving.OnTimer = [this] { moving_Timer(); };
    tmrMove.OnTimer = [this] { tmrMove_Timer(); };
}

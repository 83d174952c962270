#pragma once
// The main window: a borderless, dome-shaped window with the playlist, the transport, the
// time display and seek bar, the volume slider, the cue panel and the button panel.
//
// This header declares every control and every handler of the window. The handlers live in
// files by concern: the engine's in src/engine/ (opening a song, the playback tick, the
// transport, the cue mode, the speakers volume), the window's own in src/main_window/ (design,
// layout, region and unroll, colour scheme, volume slider, credit ticker, label-buttons,
// window commands).
#include "platform/forms/controls.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/timer.h"
#include "platform/forms/value_controls.h"
#include "platform/media/media_host.h"
#include "platform/mixer/mixer.h"

#include <QPoint>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

class Form4 : public forms::Form {
public:
    Form4();

    // ---- Public values of the window ----
    int16_t Archivo_Indice = 0;  // the loader's file-type choice; 0 is "*.mp3"
    int16_t Min_Total = 0;       // whole minutes of the current song's length

    // ---- Controls, containers first ----
    forms::Frame Frame1{*this, "Frame1"};  // "Playlist"
    forms::Frame Frame3{*this, "Frame3"};  // "Directory :"
    forms::Frame Frame6{*this, "Frame6"};  // "Select Time For Song "
    forms::Frame Frame2{*this, "Frame2"};  // "Control of Player"

    forms::ListBox List1{*this, "List1", &Frame1};  // the playlist, sorted by name
    forms::Label Label2{*this, "Label2", &Frame3};  // the folder being browsed

    // The now-playing line, the time display, the seek bar and the seek labels.
    forms::TextBox Text1{*this, "Text1"};
    forms::Label duration{*this, "duration"};
    forms::ProgressBar dur{*this, "dur"};
    forms::Label minusminus{*this, "minusminus"};
    forms::Label minus{*this, "minus"};
    forms::Label plus{*this, "plus"};
    forms::Label plusplus{*this, "plusplus"};

    // Transport.
    forms::CommandButton play{*this, "play"};
    forms::CommandButton pause{*this, "pause"};
    forms::CommandButton stop1{*this, "stop1"};
    forms::CommandButton mute{*this, "mute"};
    forms::ImageList ImageList{*this, "ImageList"};  // 1 muted, 2 not muted
    media::MediaHost Media{*this, "Media"};

    forms::CheckBox Check2{*this, "Check2"};  // "Hide/Show Timing "
    forms::CheckBox Check3{*this, "Check3"};  // "Hide/Show Control"
    forms::CheckBox Check4{*this, "Check4"};  // "Repeat"

    // Volume slider.
    forms::Label lblVol{*this, "lblVol"};    // the track
    forms::Image imgVol{*this, "imgVol"};    // the knob
    forms::Label Label3{*this, "Label3"};    // "Volume"
    forms::ScrollBar VSvolume{*this, "VSvolume"};  // hidden value holder

    // Status strip, window commands, scratch boxes.
    forms::Label Label9{*this, "Label9"};
    forms::Image Image1{*this, "Image1"};  // "Minimize"
    forms::Image Image2{*this, "Image2"};  // "Close"
    forms::TextBox Text4{*this, "Text4"};  // credit colour digits
    forms::TextBox Text6{*this, "Text6"};  // target height
    forms::TextBox Text7{*this, "Text7"};  // target width

    // Cue panel (inside Frame6).
    forms::Label Label1{*this, "Label1", &Frame6};
    forms::TextBox Text3{*this, "Text3", &Frame6};  // play length N
    forms::Label Label4{*this, "Label4", &Frame6};
    forms::TextBox Text2{*this, "Text2", &Frame6};  // start second S
    forms::CheckBox Check1{*this, "Check1", &Frame6};  // "Change timing"
    forms::Shape Shape5{*this, "Shape5", &Frame6};
    forms::Label Label11{*this, "Label11", &Frame6};
    forms::Label command11{*this, "command11", &Frame6};  // "OK "
    forms::TextBox Text5{*this, "Text5", &Frame6};  // the start second last applied
    forms::Label lblVol1{*this, "lblVol1", &Frame6};  // the cue track
    forms::Image imgVol1{*this, "imgVol1", &Frame6};  // the cue marker

    // Button panel (inside Frame2).
    forms::Shape Shape2{*this, "Shape2", &Frame2};
    forms::Label Label8{*this, "Label8", &Frame2};
    forms::Label Command2{*this, "Command2", &Frame2};  // "Load list"
    forms::Shape Shape4{*this, "Shape4", &Frame2};
    forms::Label Label7{*this, "Label7", &Frame2};
    forms::Label command13{*this, "command13", &Frame2};  // "About me "

    // Timers.
    forms::Timer Timer{*this, "Timer"};    // playback tick, 1000 ms
    forms::Timer Timer1{*this, "Timer1"};  // cue back sweep
    forms::Timer Timer2{*this, "Timer2"};  // cue forward sweep
    forms::Timer Timer3{*this, "Timer3"};  // cue end
    forms::Timer Timer4{*this, "Timer4"};  // credit ticker
    forms::Timer Timer5{*this, "Timer5"};  // taskbar watcher
    forms::Timer Timer6{*this, "Timer6"};  // volume-knob alignment
    forms::Timer Timer7{*this, "Timer7"};  // stops Timer6
    forms::Timer Timer8{*this, "Timer8"};  // unroll
    forms::Timer moving{*this, "moving"};  // start-up knob placement, one tick
    forms::Timer tmrMove{*this, "tmrMove"};  // knob drag

    // ---- Window-level state ----
    int16_t SavedIndex = 0;       // the playback tick's saved selection
    int16_t ElapsedMinutes = 0;
    int16_t ElapsedSeconds = 0;
    int16_t CueResumeState = 0;   // 0 nothing, 1 forward sweep paused, 2 a sweep stopped
    int16_t BackSweepPaused = 0;  // 1: the back sweep was paused
    bool SoundMuted = false;
    int16_t ChangeTimingLatch = 0;
    int32_t UnrollHeight = 0;     // counted wider than 16 bits so tall screens unroll fully
    mixer::MixerControl VolumeControl;
    bool KnobHeld = false;
    QPoint CursorPosition;
    std::string CreditLine;
    int16_t CreditTickCount = 0;
    bool CreditBlankPhase = false;
    double CreditColourValue = 0;

    // ---- Handlers: opening a song (engine/open_song.cpp) ----
    void List1_DblClick();
    void Text1_Change();
    // ---- The playback tick (engine/playback_tick.cpp) ----
    void Timer_Timer();
    void Check4_Click();
    // ---- Transport (engine/transport.cpp) ----
    void play_Click();
    void pause_Click();
    void stop1_Click();
    void mute_Click();
    void minusminus_Click();
    void minus_Click();
    void plus_Click();
    void plusplus_Click();
    void SeekBy(double seconds);
    // ---- Cue mode (engine/cue_mode.cpp) ----
    void Check1_Click();
    void command11_Click();
    void Label11_Click();
    void CueOK();
    void Text2_KeyPress(int16_t& KeyAscii);
    void Text3_KeyPress(int16_t& KeyAscii);
    void Timer2_Timer();
    void Timer1_Timer();
    void SweepTick(bool forward);
    void HoldStartSecond();
    void Timer3_Timer();
    // ---- Speakers volume (engine/speakers_volume.cpp) ----
    bool SetMixerVolume(uint32_t mixerId, const mixer::MixerControl& control, int32_t value);
    void VSvolume_Change();
    void LookUpSpeakersVolume();  // the load's start-up step
    // ---- Load, layout, region and unroll (main_window/layout.cpp, region_unroll.cpp) ----
    void LoadFirstPhase();
    void LoadSecondPhase();
    void SetDomeRegion();
    void Timer8_Timer();
    // ---- Colour scheme (main_window/colour_scheme.cpp) ----
    // The window itself is a member too, and it is a Form, not a Control.
    using ThemeMember = std::variant<forms::Form*, forms::Control*>;
    std::vector<ThemeMember> ThemeControls();
    void ApplyThemeColor(forms::OleColor colour);
    forms::OleColor DrawThemeColor();
    // ---- Volume slider (main_window/volume_slider.cpp) ----
    void imgVol_MouseDown(int Button, int Shift, double X, double Y);
    void imgVol_MouseUp(int Button, int Shift, double X, double Y);
    void tmrMove_Timer();
    void moving_Timer();
    void CursorStep();
    void Timer6_Timer();
    void Timer7_Timer();
    // ---- Credit ticker (main_window/credit_ticker.cpp) ----
    void Timer4_Timer();
    void DrawCreditColour();
    // ---- Label-buttons and panel toggles (main_window/label_buttons.cpp) ----
    void Command2_MouseDown(int Button, int Shift, double X, double Y);
    void Label8_MouseDown(int Button, int Shift, double X, double Y);
    void Command2_MouseUp(int Button, int Shift, double X, double Y);
    void Label8_MouseUp(int Button, int Shift, double X, double Y);
    void Command2_Click();
    void Label8_Click();
    void command13_MouseDown(int Button, int Shift, double X, double Y);
    void Label7_MouseDown(int Button, int Shift, double X, double Y);
    void command13_MouseUp(int Button, int Shift, double X, double Y);
    void Label7_MouseUp(int Button, int Shift, double X, double Y);
    void command13_Click();
    void Label7_Click();
    void command11_MouseDown(int Button, int Shift, double X, double Y);
    void Label11_MouseDown(int Button, int Shift, double X, double Y);
    void command11_MouseUp(int Button, int Shift, double X, double Y);
    void Label11_MouseUp(int Button, int Shift, double X, double Y);
    void Check2_Click();
    void Check3_Click();
    // ---- Window commands (main_window/window_commands.cpp) ----
    void Image1_Click();
    void Image2_Click();
    void Timer5_Timer();

protected:
    void Design() override;           // main_window/form4_design.cpp
    void Form_Load() override;        // main_window/form4_design.cpp: the two phases
    void Form_MouseDown(int Button, int Shift, double X, double Y) override;  // window_commands.cpp
    void Form_CloseRequest() override;                                         // window_commands.cpp
    void Form_MouseMove(int Button, int Shift, double X, double Y) override;  // volume_slider.cpp

private:
    void WireHandlers();
};

// The first phase of the main window's load: the target size from the splash, the window's
// size, the start-up state of a few controls, the status strip's font and the proportional
// layout. Apart from the media step it traps no errors: the splash always leaves numbers in
// its boxes.
#include "main_window/layout.h"

#include "main_window/form4.h"
#include "platform/forms/basic.h"
#include "platform/forms/runtime_error.h"
#include "windows/frm_splash.h"


namespace layout {

void ApplyLayoutTable(LayoutGeometry& g) {
    using enum Item;
    using enum Side;
    const auto get = [&g](Item item, Side side) { return g.Get(item, side); };
    const auto set = [&g](Item item, Side side, double twips) {
        g.Set(item, side, static_cast<float>(twips));
    };
    // Each horizontal rule reads the target width afresh, each vertical rule the window's
    // height: the rows are written as they would be read aloud.
    const auto W = [&g] { return g.TargetWidth(); };
    const auto H = [&g] { return g.WindowHeight(); };

    // Widths and lefts.
    set(Text1, Width, W() / 2.84697508896797);
    set(duration, Width, get(Text1, Width));
    set(Frame1, Width, W() / 5);
    set(List1, Width, get(Frame1, Width) - 240);
    set(Image1, Left, W() / 2.128);
    set(Image2, Left, get(Image1, Left) + get(Image1, Width) + 30);
    set(Frame3, Left, (W() - get(Frame3, Width)) / 2);
    set(Text1, Left, (W() - get(Text1, Width)) / 2);
    set(duration, Left, get(Text1, Left));
    set(plusplus, Left, get(duration, Left) + get(duration, Width) - 200);
    set(plus, Left, get(plusplus, Left) - 160);
    set(dur, Left, get(plus, Left) - get(dur, Width) - 30);
    set(minus, Left, get(dur, Left) - 130);
    set(minusminus, Left, get(minus, Left) - 200);
    set(mute, Left, W() - 240 - get(mute, Width));
    set(play, Left, g.WindowLeft() + 240);
    set(stop1, Left, get(Text1, Left));
    set(pause, Left, get(Text1, Left) + get(Text1, Width) - get(pause, Width));
    // "Repeat" halfway between play and stop, the volume track between stop and pause, the
    // two panel toggles between pause and mute.
    set(Check4, Left,
        get(play, Left) + get(play, Width) +
            (get(stop1, Left) - get(play, Left) - get(play, Width)) / 2 - get(Check4, Width) / 2);
    set(lblVol, Left,
        get(stop1, Left) + get(stop1, Width) +
            (get(pause, Left) - get(stop1, Left) - get(stop1, Width)) / 2 -
            get(lblVol, Width) / 2);
    set(imgVol, Left, get(lblVol, Left));
    set(Label3, Left, get(lblVol, Left) + get(lblVol, Width) / 2 - get(Label3, Width) / 2);
    set(Check2, Left,
        get(pause, Left) + get(pause, Width) +
            (get(mute, Left) - get(pause, Left) - get(pause, Width)) / 2 - get(Check2, Width) / 2);
    set(Check3, Left, get(Check2, Left));
    set(Frame1, Left, (W() - get(Frame1, Width)) / 2);
    set(Frame6, Left, W() / 7.14285714285714);
    set(Frame2, Left,
        get(Frame1, Left) + get(Frame1, Width) +
            (get(Frame1, Left) - (get(Frame6, Left) + get(Frame6, Width))));

    // Tops.
    set(play, Top, H() / 1.18032786885);
    set(stop1, Top, H() / 1.18032786885);
    set(pause, Top, H() / 1.18032786885);
    set(mute, Top, H() / 1.18032786885);
    set(Check2, Top, H() / 1.18032786885);
    set(Check4, Top, H() / 1.10769230769);
    set(Check3, Top, H() / 1.10769230769);
    set(imgVol, Top, 9600);  // off the track; the knob alignment timer brings it back
    set(lblVol, Top, H() / 1.10666);
    set(Label3, Top, H() / 1.0909090909);
    set(Text1, Top, H() / 1.24945770065);
    set(duration, Top, H() / 1.29729729729);
    set(plus, Top, H() / 1.29729729729);
    set(plusplus, Top, H() / 1.29729729729);
    set(dur, Top, g.TargetHeight() / 1.29);
    set(minus, Top, H() / 1.29729729729);
    set(minusminus, Top, H() / 1.29729729729);
    set(Label9, Top, H() / 1.35849056603);
    set(Frame1, Top, H() / 5.14285714285);
    set(Frame6, Top, H() / 3.27272727272);
    set(Frame2, Top, H() / 3.27272727272);
    set(Frame3, Top, H() / 9);
    set(Image1, Top, H() / 24);
    set(Image2, Top, H() / 24);

    // Last sizes.
    set(Frame1, Height, H() / 1.88852459016);
    set(List1, Height, get(Frame1, Height) - 400);
    set(Frame3, Width, W() - (get(Frame3, Left) + get(Frame3, Left)));
    set(Label3, Width, get(Frame3, Width) - 480);
    set(Label9, Width, g.WindowWidth() / 1.24804992199);
}

std::optional<StripLook> StatusStripLook(double W, double stripWidth) {
    std::optional<StripLook> look;
    if (W >= 12000) look = StripLook{10, true, (W - stripWidth) / 2};
    if (W <= 10000) look = StripLook{8, false, 1350};
    return look;
}

} // namespace layout

namespace {

// The layout run on the window's own controls: they hold whole pixels, so each value read
// back is the snapped one.
class WindowGeometry final : public layout::LayoutGeometry {
public:
    explicit WindowGeometry(Form4& form) : form_(form) {}

    double Get(layout::Item item, layout::Side side) override {
        forms::Control& c = Control(item);
        switch (side) {
        case layout::Side::Left: return c.Left();
        case layout::Side::Top: return c.Top();
        case layout::Side::Width: return c.Width();
        case layout::Side::Height: return c.Height();
        }
        return 0;
    }
    void Set(layout::Item item, layout::Side side, float twips) override {
        forms::Control& c = Control(item);
        switch (side) {
        case layout::Side::Left: c.SetLeft(twips); break;
        case layout::Side::Top: c.SetTop(twips); break;
        case layout::Side::Width: c.SetWidth(twips); break;
        case layout::Side::Height: c.SetHeight(twips); break;
        }
    }
    double TargetWidth() override { return forms::CDbl(form_.Text7.Text()); }
    double TargetHeight() override { return forms::CDbl(form_.Text6.Text()); }
    double WindowHeight() override { return form_.Height(); }
    double WindowLeft() override { return form_.Left(); }
    double WindowWidth() override { return form_.Width(); }

private:
    forms::Control& Control(layout::Item item) {
        using enum layout::Item;
        switch (item) {
        case Text1: return form_.Text1;
        case duration: return form_.duration;
        case Frame1: return form_.Frame1;
        case List1: return form_.List1;
        case Image1: return form_.Image1;
        case Image2: return form_.Image2;
        case Frame3: return form_.Frame3;
        case plusplus: return form_.plusplus;
        case plus: return form_.plus;
        case dur: return form_.dur;
        case minus: return form_.minus;
        case minusminus: return form_.minusminus;
        case mute: return form_.mute;
        case play: return form_.play;
        case stop1: return form_.stop1;
        case pause: return form_.pause;
        case Check4: return form_.Check4;
        case lblVol: return form_.lblVol;
        case imgVol: return form_.imgVol;
        case Label3: return form_.Label3;
        case Check2: return form_.Check2;
        case Check3: return form_.Check3;
        case Frame6: return form_.Frame6;
        case Frame2: return form_.Frame2;
        case Label9: return form_.Label9;
        }
        throw forms::RuntimeError(forms::ErrorNumber::InvalidProcedureCall, "No such control");
    }

    Form4& form_;
};

} // namespace

void Form4::LoadFirstPhase() {
    Timer6.SetEnabled(true);
    frmSplash& splash = forms::Default<frmSplash>();
    Text6.SetText(splash.Text1.Text());
    Text7.SetText(splash.Text2.Text());
    SetWidth(static_cast<float>(forms::CDbl(Text7.Text())));
    SetHeight(static_cast<float>(forms::CDbl(Text6.Text())));
    Text6.SetVisible(false);
    Text7.SetVisible(false);
    Check4.SetVisible(false);
    Check1.SetValue(1);  // runs the cue mode's Check1_Click here, before the next step
    Text5.SetVisible(false);

    const double W = forms::CDbl(Text7.Text());
    if (const auto look = layout::StatusStripLook(W, Label9.Width())) {
        Label9.SetFontSize(look->fontSize);
        if (look->bold) Label9.SetFontBold(true);
        Label9.SetLeft(static_cast<float>(look->left));
    }

    // Setting this property is the first thing that reaches the playback engine. An engine that
    // cannot start must not leave the window half loaded, unshaped and never unrolled: the
    // load goes on, and playing a song reports the failure where the user can see it.
    forms::TryStep([this] { Media.SetStartupProperty(0); });
    moving.SetEnabled(true);

    WindowGeometry geometry(*this);
    layout::ApplyLayoutTable(geometry);
}

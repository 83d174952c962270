// The volume slider: the knob drag polled from the cursor, the placement under the cursor
// after the load, the knob's alignment with its track, and the value each place stands for.
#include "main_window/form4.h"
#include "main_window/volume_slider.h"
#include "platform/forms/runtime_error.h"
#include "platform/forms/units.h"
#include "support/fake_mixer.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/frm_splash.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

using mixer::FakeMixer;

class VolumeSlider : public support::WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        support::MeasuredScreen("8640", "12000");
    }

    // The main window just after its load (time 0), with only the slider's timers left to
    // tick: the credit ticker, the taskbar watcher and the unroll are switched off.
    Form4& Load() {
        Form4& f = forms::Default<Form4>();
        f.Load();
        for (forms::Timer* t : {&f.Timer4, &f.Timer5, &f.Timer8}) t->SetEnabled(false);
        return f;
    }

    // Loaded, with the start-up placement and the alignment over and the knob at rest at the
    // track's left end; what the placement sent is forgotten.
    Form4& Settled() {
        Form4& f = Load();
        PointAt(f, -2000);
        clock.Advance(1000);
        EXPECT_FALSE(f.moving.Enabled());
        EXPECT_FALSE(f.Timer6.Enabled());
        EXPECT_EQ(f.imgVol.Left(), f.lblVol.Left());
        fake.calls.clear();
        return f;
    }

    // Puts the cursor so that the knob, centred under it, has its Left `offset` twips right of
    // the track's left end. The knob is an odd number of pixels wide, so its centre lies
    // between two pixels and the centred Left rounds to an even pixel: offsets here are whole
    // even pixels, and the track starts on an even pixel at this layout.
    void PointAt(Form4& f, double offset, int y = 0) {
        const double centre = f.Left() + f.lblVol.Left() + offset + f.imgVol.Width() / 2;
        cursor = QPoint(static_cast<int>(std::floor(centre / forms::TwipsPerPixelX())), y);
    }
    static double Pixels(double twips) { return twips * forms::TwipsPerPixelX(); }

    // Where the knob is along its track, in twips.
    static double KnobOffset(Form4& f) { return f.imgVol.Left() - f.lblVol.Left(); }

    FakeMixer& fake = mixers;
};

void SendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button) {
    const QPointF inside(2, 2);
    QMouseEvent event(type, inside, widget->mapToGlobal(inside), button,
                      type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(VolumeSlider, APressNearTheKnobsEdgeCentresItUnderTheCursorAtTheNextDragTick) {
    Form4& f = Settled();
    ASSERT_EQ(static_cast<int>(std::lround(f.lblVol.Left() / Pixels(1))) % 2, 0)
        << "the cursor placement below needs the track on an even pixel";
    ASSERT_EQ(f.lblVol.Width() - f.imgVol.Width(), 990) << "design widths";

    PointAt(f, Pixels(6));  // six pixels right of the knob's centre: near its right edge
    f.imgVol_MouseDown(1, 0, Pixels(13), Pixels(3));
    EXPECT_EQ(f.tmrMove.Interval(), 10);
    clock.Advance(9);
    EXPECT_EQ(KnobOffset(f), 0);
    EXPECT_TRUE(fake.ValuesSet().empty());

    clock.Advance(1);
    EXPECT_EQ(KnobOffset(f), Pixels(6));
    EXPECT_EQ(f.VSvolume.Value(), 2979);  // 90 / 990 of 32767
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{5958}));

    // It follows every 10 ms while held; a tick with the cursor unmoved sends nothing new.
    PointAt(f, Pixels(32));
    clock.Advance(10);
    EXPECT_EQ(KnobOffset(f), Pixels(32));
    EXPECT_EQ(f.VSvolume.Value(), 15887);
    clock.Advance(30);
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{5958, 31774}));
}

TEST_F(VolumeSlider, TheKnobStopsAtTheTrackEndsAndOnlyTheCursorsXCounts) {
    Form4& f = Settled();
    const double knobTop = f.imgVol.Top();
    f.imgVol_MouseDown(1, 0, 0, 0);

    struct Case {
        const char* where;
        double offset;
        int y;
        double knobOffset;
        int16_t value;
    };
    for (const Case& c : {Case{"right of the track", 5000, 300, 990, 32767},
                          Case{"left of the track", -Pixels(1), 300, 0, 0},
                          Case{"far right, above the screen", 1e6, -4000, 990, 32767},
                          Case{"off the screen's left", -1e6, 9000, 0, 0},
                          Case{"inside, high above", Pixels(34), -4000, Pixels(34), 16880},
                          Case{"inside, on the track", Pixels(34), 500, Pixels(34), 16880},
                          Case{"inside, far below", Pixels(34), 30000, Pixels(34), 16880},
                          Case{"two pixels short of the end", 990 - Pixels(2), 0, 990 - Pixels(2),
                               31774}}) {
        SCOPED_TRACE(c.where);
        PointAt(f, c.offset, c.y);
        clock.Advance(10);
        EXPECT_EQ(KnobOffset(f), c.knobOffset);
        EXPECT_EQ(f.VSvolume.Value(), c.value);
        EXPECT_EQ(f.imgVol.Top(), knobTop);
    }
    // Each change sent once, doubled: the right end is the loudest the mixer ever gets.
    EXPECT_EQ(fake.ValuesSet(),
              (std::vector<uint32_t>{65534, 0, 65534, 0, 33760, 63548}));
}

TEST_F(VolumeSlider, TheReleaseEndsTheDrag) {
    Form4& f = Settled();
    f.imgVol_MouseDown(1, 0, 0, 0);
    PointAt(f, Pixels(10));
    clock.Advance(10);
    ASSERT_EQ(KnobOffset(f), Pixels(10));

    f.imgVol_MouseUp(1, 0, 0, 0);
    EXPECT_FALSE(f.KnobHeld);
    EXPECT_EQ(f.tmrMove.Interval(), 0);
    PointAt(f, Pixels(50));
    clock.Advance(100);
    // A tick that still comes after the release changes nothing either.
    f.tmrMove_Timer();
    EXPECT_EQ(KnobOffset(f), Pixels(10));
    EXPECT_EQ(fake.ValuesSet().size(), 1u);
}

TEST_F(VolumeSlider, AnyMouseButtonOnTheKnobDragsIt) {
    Form4& f = Settled();
    QWidget* knob = f.imgVol.Widget();
    double offset = 0;
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton, Qt::LeftButton}) {
        SCOPED_TRACE(button);
        offset += Pixels(4);
        PointAt(f, offset);
        SendMouse(knob, QEvent::MouseButtonPress, button);
        EXPECT_TRUE(f.KnobHeld);
        clock.Advance(10);
        EXPECT_EQ(KnobOffset(f), offset);
        SendMouse(knob, QEvent::MouseButtonRelease, button);
        EXPECT_FALSE(f.KnobHeld);
        PointAt(f, 0);
        clock.Advance(10);
        EXPECT_EQ(KnobOffset(f), offset);
    }
}

TEST_F(VolumeSlider, NineHundredMillisecondsAfterTheLoadTheKnobGoesUnderTheCursor) {
    Form4& f = Load();
    PointAt(f, Pixels(2), -500);  // no press, and the cursor not even over the window
    clock.Advance(899);
    EXPECT_EQ(KnobOffset(f), 0);
    EXPECT_TRUE(fake.ValuesSet().empty());

    clock.Advance(1);
    EXPECT_EQ(KnobOffset(f), Pixels(2));
    EXPECT_EQ(f.imgVol.Width(), 225);
    EXPECT_EQ(f.imgVol.Height(), 105);
    EXPECT_EQ(f.VSvolume.Value(), 993);
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{1986}));
    EXPECT_EQ(fake.calls.back().controlId, fake.volume.dwControlID);
    EXPECT_FALSE(f.moving.Enabled());

    // Once only: the cursor moving on later does not bring the knob after it.
    PointAt(f, Pixels(40));
    clock.Advance(5000);
    EXPECT_EQ(KnobOffset(f), Pixels(2));
    EXPECT_EQ(fake.ValuesSet().size(), 1u);
}

// The holder starts at 0, so the left end is no change of its value; the speakers must still
// hear it, once: the drag's ticks that change nothing send nothing.
TEST_F(VolumeSlider, TheLeftEndReachesTheSpeakersOnceThoughTheValueStaysZero) {
    Form4& f = Load();
    f.imgVol.SetLeft(f.lblVol.Left() + 300);
    PointAt(f, -3000);
    f.imgVol_MouseDown(1, 0, 0, 0);  // held there from before the placement
    clock.Advance(899);
    EXPECT_EQ(KnobOffset(f), 0);
    clock.Advance(1);
    EXPECT_EQ(f.VSvolume.Value(), 0);
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{0}));
    PointAt(f, -5000);
    clock.Advance(100);
    f.imgVol_MouseUp(1, 0, 0, 0);
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{0}));
}

TEST_F(VolumeSlider, TheKnobIsAlignedWithItsTrackUntilTimer7sFirstTick) {
    Form4& f = Load();
    const double trackTop = f.lblVol.Top();
    ASSERT_EQ(f.imgVol.Top(), 9600) << "the load leaves the knob below its track";
    ASSERT_NE(trackTop, 9600);
    PointAt(f, 0);

    clock.Advance(1);
    EXPECT_EQ(f.imgVol.Top(), trackTop);
    EXPECT_TRUE(f.Timer7.Enabled());

    // Every later tick enables Timer7 again, which does not restart its count: it still
    // stops the alignment 900 ms after the first tick.
    clock.Advance(499);
    f.imgVol.SetTop(9000);
    clock.Advance(1);
    EXPECT_EQ(f.imgVol.Top(), trackTop);
    clock.Advance(399);  // time 900
    EXPECT_TRUE(f.Timer6.Enabled());
    clock.Advance(1);
    EXPECT_FALSE(f.Timer6.Enabled());
    EXPECT_TRUE(f.Timer7.Enabled()) << "Timer7 runs on; its later ticks find nothing to stop";

    f.imgVol.SetTop(9000);
    clock.Advance(2000);
    EXPECT_EQ(f.imgVol.Top(), 9000);
}

TEST_F(VolumeSlider, AMouseMoveStopsTheAlignmentYetThePlacementPutsTheKnobOnItsTrack) {
    // A 1024 x 768 screen: the laid-out track lies far below the design Top 7800, which is
    // inside the playlist's frame there.
    support::MeasuredScreen("11520", "15360");
    Form4& f = Load();
    const double trackTop = f.lblVol.Top();
    ASSERT_GT(trackTop, 7800 + f.imgVol.Height());
    PointAt(f, Pixels(20));
    clock.Advance(3);
    ASSERT_EQ(f.imgVol.Top(), trackTop);

    f.RaiseMouseMove(0, 0, 100, 100);
    EXPECT_FALSE(f.Timer6.Enabled());
    clock.Advance(1000);
    EXPECT_FALSE(f.moving.Enabled());
    EXPECT_EQ(f.imgVol.Top(), trackTop);
    EXPECT_EQ(f.imgVol.Width(), 225);
    EXPECT_EQ(f.imgVol.Height(), 105);
    EXPECT_EQ(KnobOffset(f), Pixels(20)) << "the knob's Left still follows the pointer";
}

TEST_F(VolumeSlider, APlaybackTickStopsTheAlignment) {
    Form4& f = Load();
    media.duration = 200;
    media.position = 10;
    clock.Advance(2);
    ASSERT_TRUE(f.Timer6.Enabled());
    f.Timer_Timer();
    EXPECT_FALSE(f.Timer6.Enabled());
}

// ---- The arithmetic on its own, at other screen densities and ranges ----

TEST(VolumeSliderArithmetic, TheKnobIsCentredUnderTheCursorAtAnyScreenDensity) {
    // 120 DPI: 12 twips a pixel; the window 1200 twips from the screen's left.
    EXPECT_FLOAT_EQ(volume_slider::KnobLeftUnderCursor(500, 12, 1200, 225), 4687.5f);
}

TEST(VolumeSliderArithmetic, TheValueRoundsHalfToEvenAndAddsNoLowerBound) {
    using volume_slider::KnobValue;
    EXPECT_EQ(KnobValue(5040 + 495, 5040, 1215, 225, 0, 32767), 16384) << "16383.5";
    EXPECT_EQ(KnobValue(5041, 5040, 1215, 225, 0, 32767), 33);
    EXPECT_EQ(KnobValue(5040 + 990, 5040, 1215, 225, 0, 32767), 32767);
    EXPECT_EQ(KnobValue(5040 + 990, 5040, 1215, 225, 32767, 0), 32767) << "|Min - Max|";
    EXPECT_EQ(KnobValue(5040, 5040, 1215, 225, -100, 100), 0) << "Min is not added";
    EXPECT_EQ(KnobValue(5040 + 990, 5040, 1215, 225, -100, 100), 200);
    EXPECT_EQ(KnobValue(5040 + 495, 5040, 1215, 225, 0, 5), 2) << "2.5 goes to the even 2";
    // A travel of 1024 twips makes exact quarters.
    EXPECT_EQ(KnobValue(256, 0, 1249, 225, 0, 2), 0) << "0.5 goes to the even 0";
    EXPECT_EQ(KnobValue(768, 0, 1249, 225, 0, 2), 2) << "1.5 goes to the even 2";
}

TEST(VolumeSliderArithmetic, SpansAndTravelsItCannotMapAreRunTimeErrors) {
    using volume_slider::KnobValue;
    // The span is a 16-bit Integer: 32768 does not fit.
    EXPECT_THROW(KnobValue(5040, 5040, 1215, 225, -1, 32767), forms::RuntimeError);
    EXPECT_THROW(KnobValue(5040, 5040, 1215, 225, -32768, 32767), forms::RuntimeError);
    EXPECT_EQ(volume_slider::ValueSpan(-32768, -1), 32767);
    // A track no wider than the knob leaves nothing to travel.
    EXPECT_THROW(KnobValue(5040, 5040, 225, 225, 0, 32767), forms::RuntimeError);
    EXPECT_THROW(KnobValue(5100, 5040, 225, 225, 0, 32767), forms::RuntimeError);
}

TEST_F(VolumeSlider, APlacementThatCannotMapTheKnobStillTicksOnlyOnce) {
    Form4& f = Load();
    // A holder the knob cannot map: its span does not fit 16 bits.
    f.VSvolume.SetMin(-1);
    PointAt(f, Pixels(20));
    clock.Advance(900);
    EXPECT_FALSE(f.moving.Enabled());
    EXPECT_EQ(KnobOffset(f), Pixels(20)) << "the knob moved before the value failed";
    PointAt(f, Pixels(40));
    clock.Advance(2000);
    EXPECT_EQ(KnobOffset(f), Pixels(20));
    EXPECT_TRUE(fake.ValuesSet().empty());
}

} // namespace

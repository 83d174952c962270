// The dome region, the unroll, and the second phase of the load, where a failing step is
// passed over.
#include "main_window/region_unroll.h"

#include "support/load_main_window.h"
#include "platform/forms/runtime_error.h"
#include "support/window_test.h"

#include <QRegion>
#include <cmath>
#include <vector>

namespace {

TEST(DomeRegion, FullWidthTwiceTheHeightAndHalfPixelsToTheEvenNeighbour) {
    EXPECT_EQ(unroll::DomeWidthPixels(12000, 15), 800);
    EXPECT_EQ(unroll::DomeHeightPixels(11520, 15), 1536);
    EXPECT_EQ(unroll::DomeWidthPixels(800.5 * 15, 15), 800);
    EXPECT_EQ(unroll::DomeWidthPixels(801.5 * 15, 15), 802);
    EXPECT_EQ(unroll::DomeHeightPixels(1537.5 * 15 / 2, 15), 1538);
}

class SecondPhase : public support::WindowTest {
protected:
    // Adds the height after each 50 ms tick, until the unroll stops.
    void Unroll(Form4& f, std::vector<double>& heights) {
        while (f.Timer8.Enabled() && heights.size() < 1000) {
            clock.Advance(50);
            heights.push_back(f.Height());
        }
    }
    static double InPixels(double twips) { return std::nearbyint(twips / 15) * 15; }
};

TEST_F(SecondPhase, TheDomeIsMadeAtFullSizeOnceAndThePanelsStartHidden) {
    Form4& f = support::LoadMainWindow("11520", "12000");
    const QRegion dome(0, 0, 800, 1536, QRegion::Ellipse);
    EXPECT_EQ(f.Widget()->mask(), dome);
    EXPECT_EQ(f.Height(), InPixels(50));
    for (forms::Control* c : std::vector<forms::Control*>{
             &f.Media, &f.command13, &f.Frame6, &f.command11, &f.Frame2, &f.Label4, &f.Text2})
        EXPECT_FALSE(c->Visible()) << c->Name();
    EXPECT_EQ(f.Check2.Value(), 0);
    EXPECT_FALSE(f.Timer1.Enabled() || f.Timer2.Enabled());
    std::vector<double> heights;
    Unroll(f, heights);
    EXPECT_EQ(f.Widget()->mask(), dome) << "the unroll never remakes the region";
}

TEST_F(SecondPhase, TheWindowUnrollsBy200TwipsEvery50msAndSettlesOnTheTarget) {
    struct Case { const char* target; size_t ticks; };
    // 11400 reads back exactly at tick 57, which therefore carries on; 40005 (2667 pixels) is
    // past the reach of a 16-bit counter.
    for (const Case& c : {Case{"11520", 58}, Case{"150", 1}, Case{"11400", 58}, Case{"40005", 201}}) {
        SCOPED_TRACE(c.target);
        Form4& f = support::LoadMainWindow(c.target, "12000");
        clock.Advance(49);
        EXPECT_EQ(f.Height(), InPixels(50)) << "no tick before 50 ms";
        clock.Advance(1);
        std::vector<double> heights{f.Height()};
        Unroll(f, heights);
        ASSERT_EQ(heights.size(), c.ticks);
        for (size_t tick = 1; tick < c.ticks; ++tick)
            EXPECT_EQ(heights[tick - 1], InPixels(200.0 * tick)) << tick;
        EXPECT_EQ(heights.back(), std::stod(c.target));
        clock.Advance(500);
        EXPECT_EQ(f.Height(), std::stod(c.target)) << "nothing changes after the unroll";
        forms::ResetDefaultInstances();
    }
}

// A platform that refuses to run the unroll timer: that step fails, the rest of the load runs.
class RefusingScheduler final : public forms::Scheduler {
public:
    RefusingScheduler(forms::Scheduler& next, forms::Timer& refused) : next_(next), refused_(refused) {}
    void Arm(forms::Timer& timer, int intervalMs) override {
        if (&timer == &refused_ && intervalMs == 50 && ++refusals)
            throw forms::RuntimeError(forms::ErrorNumber::InvalidPropertyValue, "refused");
        next_.Arm(timer, intervalMs);
    }
    void Disarm(forms::Timer& timer) override { next_.Disarm(timer); }
    int refusals = 0;

private:
    forms::Scheduler& next_;
    forms::Timer& refused_;
};

TEST_F(SecondPhase, AFailingStepIsPassedOverAndTheColourSchemeStillFollows) {
    RefusingScheduler refusing(clock, forms::Default<Form4>().Timer8);
    forms::SetScheduler(&refusing);
    random.draws.assign(7, (12345 + 0.5f) / 100000);
    Form4& f = support::LoadMainWindow("11520", "12000");
    forms::SetScheduler(&clock);
    ASSERT_EQ(refusing.refusals, 1);
    EXPECT_FALSE(f.Frame6.Visible() || f.Frame2.Visible() || f.Text2.Visible());
    EXPECT_EQ(f.BackColor(), 12345u);
}

// The first thing the load asks of the playback engine; one that cannot start must not leave
// the window unlaid, unshaped and never unrolled.
TEST_F(SecondPhase, AMediaEngineThatCannotStartDoesNotStopTheLoad) {
    media::SetMediaFactory([] { return std::unique_ptr<media::MediaControl>(); });
    random.draws.assign(7, (500 + 0.5f) / 100000);
    Form4& f = support::LoadMainWindow("11520", "12000");
    EXPECT_EQ(f.Frame1.Width(), 2400) << "laid out";
    EXPECT_TRUE(f.moving.Enabled());
    EXPECT_EQ(f.Widget()->mask(), QRegion(0, 0, 800, 1536, QRegion::Ellipse));
    EXPECT_TRUE(f.Timer8.Enabled());
    EXPECT_EQ(f.BackColor(), 500u);
}

} // namespace

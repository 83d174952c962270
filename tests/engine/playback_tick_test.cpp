#include "engine/playback_tick.h"
#include "engine_window_test.h"

#include <gtest/gtest.h>

using enginetest::EngineWindowTest;

namespace {

struct CaptionRow {
    double position;
    double duration;
    const char* caption;
};

TEST(TimeDisplayCaption, ShowsTruncatedMinutesAndSeconds) {
    const CaptionRow rows[] = {
        {0, 0, "Duration: 0:00/0:00"},
        {7.2, 42.0, "Duration: 0:07/0:42"},
        {9.9, 180.0, "Duration: 0:09/3:00"},
        {65.8, 125.4, "Duration: 1:05/2:05"},
        {119.7, 125.4, "Duration: 1:59/2:05"},
        {600.0, 725.0, "Duration: 10:00/12:05"},
        {9.9, 42.0, "Duration: 0:09/0:42"},
        // Nine hours and more: far beyond what 16-bit minutes times 60 can hold.
        {32399.5, 32400.0, "Duration: 539:59/540:00"},
        {36000.0, 43505.0, "Duration: 600:00/725:05"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_EQ(engine::TimeDisplayCaption(row.position, row.duration), row.caption);
    }
}

TEST(SeekBarPercent, TruncatesTheShareOfTheLength) {
    EXPECT_EQ(engine::SeekBarPercent(59, 120), 49);
    EXPECT_EQ(engine::SeekBarPercent(0, 120), 0);
    EXPECT_EQ(engine::SeekBarPercent(120, 120), 100);
    // 29 / 100 * 100 is 28.999... in floating point; whole seconds must not lose a percent.
    EXPECT_EQ(engine::SeekBarPercent(29, 100), 29);
}

class PlaybackTickTest : public EngineWindowTest {
protected:
    // Opens item index by a double-click, as the user does.
    void DoubleClick(int index) {
        form->List1.SetListIndex(index);
        form->List1.DblClick();
    }
};

TEST_F(PlaybackTickTest, EverySecondShowsTimeSeekBarAndTooltip) {
    FillPlaylist({"a.mp3"});
    SongsLast(120);
    DoubleClick(0);

    // Called directly: on the clock the knob's 1 ms timer would tick in between.
    form->Timer6.SetEnabled(true);
    media.position = 59;
    form->Timer_Timer();
    EXPECT_EQ(form->duration.Caption(), "Duration: 0:59/2:00");
    EXPECT_EQ(form->dur.Max(), 120.0f);
    EXPECT_EQ(form->dur.Value(), 59.0f);
    EXPECT_EQ(form->dur.ToolTipText(), "Seek Bar 49%");
    EXPECT_EQ(form->Min_Total, 2);
    EXPECT_FALSE(form->Timer6.Enabled());

    media.position = 0;
    clock.Advance(1000);
    EXPECT_EQ(form->dur.ToolTipText(), "Seek Bar 0%");

    // The whole-second length is reached before the two media values are equal.
    media.duration = 120.9;
    media.position = 120.4;
    clock.Advance(1000);
    EXPECT_EQ(form->dur.ToolTipText(), "Seek Bar 100%");
    EXPECT_EQ(media.opened.size(), 1u);
}

TEST_F(PlaybackTickTest, LongSongsKeepTheirDisplayRunning) {
    FillPlaylist({"a.mp3"});
    SongsLast(43505);
    DoubleClick(0);
    media.position = 36000;
    clock.Advance(1000);
    EXPECT_EQ(form->duration.Caption(), "Duration: 600:00/725:05");
    EXPECT_EQ(form->Min_Total, 725);
    // The tick goes on past the time display to the seek bar.
    EXPECT_EQ(form->dur.Max(), 43505.0f);
    EXPECT_EQ(form->dur.ToolTipText(), "Seek Bar 82%");

    // Minutes beyond a 16-bit value: the caption stays right, the public value is held.
    media.duration = 2000000;
    media.position = 0;
    clock.Advance(1000);
    EXPECT_EQ(form->duration.Caption(), "Duration: 0:00/33333:20");
    EXPECT_EQ(form->Min_Total, 32767);
}

TEST_F(PlaybackTickTest, EndOfSongAdvancesAndWrapsToTheFirstItem) {
    FillPlaylist({"a.mp3", "b.mp3", "c.mp3"});
    SongsLast(100.5);
    DoubleClick(1);

    clock.Advance(1000);
    EXPECT_EQ(media.opened.size(), 1u);  // not at the end yet

    AtEnd();
    clock.Advance(1000);
    EXPECT_EQ(form->List1.ListIndex(), 2);
    EXPECT_EQ(media.opened.back(), "/music/c.mp3");
    EXPECT_EQ(form->Text1.Text(), "c.mp3");

    AtEnd();
    clock.Advance(1000);
    EXPECT_EQ(form->List1.ListIndex(), 0);
    EXPECT_EQ(media.opened.back(), "/music/a.mp3");
    EXPECT_EQ(form->Text1.Text(), "a.mp3");
    EXPECT_EQ(form->Text1.ToolTipText(), "a.mp3");
    EXPECT_EQ(media.opened.size(), 3u);
    EXPECT_TRUE(form->Timer.Enabled());
}

TEST_F(PlaybackTickTest, RepeatReopensTheItemSelectedDuringTheSong) {
    FillPlaylist({"a.mp3", "b.mp3", "c.mp3"});
    SongsLast(200);
    DoubleClick(0);
    media.position = 50;

    form->Check4.SetValue(1);
    form->List1.SetListIndex(2);  // a single click during the song
    clock.Advance(3000);
    EXPECT_EQ(media.opened.size(), 1u);  // nothing happens before the end

    AtEnd();
    clock.Advance(1000);
    EXPECT_EQ(media.opened.size(), 2u);
    EXPECT_EQ(media.opened.back(), "/music/c.mp3");
    EXPECT_EQ(form->List1.ListIndex(), 2);

    // Unticked again: the next end moves on, wrapping from the last item.
    form->Check4.SetValue(0);
    AtEnd();
    clock.Advance(1000);
    EXPECT_EQ(media.opened.back(), "/music/a.mp3");
    EXPECT_EQ(form->List1.ListIndex(), 0);
}

TEST_F(PlaybackTickTest, EmptyNextItemStopsTheTickAfterItsMessage) {
    FillPlaylist({"", "b.mp3"});  // an item with no name, first in list order
    form->Timer.SetEnabled(true);
    bool tickOnWhileOpen = false;
    messages.whileOpen = [&](const support::ShownMessage&) {
        tickOnWhileOpen = form->Timer.Enabled();
    };

    clock.Advance(1000);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The play list is empty");
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Information);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_TRUE(tickOnWhileOpen);
    EXPECT_FALSE(form->Timer.Enabled());
    EXPECT_TRUE(media.opened.empty());

    clock.Advance(5000);
    EXPECT_EQ(messages.shown.size(), 1u);
}

} // namespace

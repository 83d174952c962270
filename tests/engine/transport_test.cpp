#include "engine_window_test.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>

using enginetest::EngineWindowTest;

namespace {

class TransportTest : public EngineWindowTest {
protected:
    void Sweeps(bool back, bool forward) {
        form->Timer1.SetEnabled(back);
        form->Timer2.SetEnabled(forward);
    }
    void Record(int16_t cue, int16_t back) {
        form->CueResumeState = cue;
        form->BackSweepPaused = back;
    }
    int PauseCalls() const { return static_cast<int>(std::count(media.calls.begin(), media.calls.end(), "Pause")); }
};

// One event each, from a given resume record and sweep state.
struct RecordRow {
    const char* what;
    int16_t cue, back;
    bool backSweep, forwardSweep;
    enum { Pause, Stop, Play, FailingPlay } event;
    int16_t cueAfter, backAfter;
    bool backSweepAfter, forwardSweepAfter;
};

TEST_F(TransportTest, ResumeRecordFollowsPauseStopAndPlay) {
    EXPECT_EQ(form->CueResumeState, 0);
    EXPECT_EQ(form->BackSweepPaused, 0);

    const RecordRow rows[] = {
        {"pause while the forward sweep runs", 0, 0, false, true, RecordRow::Pause, 1, 0, false, false},
        {"pause while the back sweep runs", 0, 0, true, false, RecordRow::Pause, 0, 1, false, false},
        {"pause with no sweep", 2, 1, false, false, RecordRow::Pause, 2, 1, false, false},
        {"stop while the forward sweep runs", 0, 1, false, true, RecordRow::Stop, 2, 1, false, false},
        {"stop while the back sweep runs", 1, 0, true, false, RecordRow::Stop, 2, 0, false, false},
        {"stop with no sweep", 1, 1, false, false, RecordRow::Stop, 1, 1, false, false},
        {"play after a forward pause", 1, 0, false, false, RecordRow::Play, 0, 0, false, true},
        {"play after a back pause", 0, 1, false, false, RecordRow::Play, 0, 0, true, false},
        {"play after a stop and a back pause", 2, 1, false, false, RecordRow::Play, 0, 0, true, true},
        {"play with nothing to resume", 0, 0, true, false, RecordRow::Play, 0, 0, true, false},
        {"play refused", 2, 1, false, false, RecordRow::FailingPlay, 2, 1, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Record(row.cue, row.back);
        Sweeps(row.backSweep, row.forwardSweep);
        media.failPlay = row.event == RecordRow::FailingPlay;
        switch (row.event) {
        case RecordRow::Pause: form->pause.Click(); break;
        case RecordRow::Stop: form->stop1.Click(); break;
        default: form->play.Click(); break;
        }
        EXPECT_EQ(form->CueResumeState, row.cueAfter);
        EXPECT_EQ(form->BackSweepPaused, row.backAfter);
        EXPECT_EQ(form->Timer1.Enabled(), row.backSweepAfter);
        EXPECT_EQ(form->Timer2.Enabled(), row.forwardSweepAfter);
    }
}

TEST_F(TransportTest, PauseCallsThePlayerOnlyAwayFromPositionZero) {
    Sweeps(false, true);
    form->pause.Click();  // position 0: the player is left alone
    EXPECT_EQ(PauseCalls(), 0);
    EXPECT_FALSE(form->Timer2.Enabled());
    EXPECT_EQ(form->CueResumeState, 1);

    media.position = 4.5;
    form->pause.Click();
    form->pause.Click();
    EXPECT_EQ(PauseCalls(), 2);
    EXPECT_EQ(form->CueResumeState, 1);
    EXPECT_EQ(form->BackSweepPaused, 0);
}

TEST_F(TransportTest, StopRewindsHaltsAndResetsTheCuePanel) {
    media.duration = 90;
    media.position = 12;
    form->Text3.SetEnabled(false);
    form->imgVol1.SetLeft(1500);
    form->Timer.SetEnabled(true);
    form->stop1.Click();
    EXPECT_TRUE(form->Text3.Enabled());
    EXPECT_EQ(form->imgVol1.Left(), 120);
    EXPECT_EQ(media.positionsWritten, std::vector<double>{0});
    EXPECT_EQ(media.calls, std::vector<std::string>{"Stop"});
    EXPECT_TRUE(form->Timer.Enabled());  // the tick goes on showing 0:00
}

TEST_F(TransportTest, RefusingMediaDoesNotStopPauseOrStop) {
    media.failPosition = true;
    Sweeps(true, false);
    EXPECT_NO_THROW(form->pause.Click());
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_EQ(form->BackSweepPaused, 1);

    Sweeps(false, true);
    form->imgVol1.SetLeft(900);
    EXPECT_NO_THROW(form->stop1.Click());
    EXPECT_FALSE(form->Timer2.Enabled());
    EXPECT_EQ(form->imgVol1.Left(), 120);
    EXPECT_EQ(media.calls.back(), "Stop");  // the halt is still asked for

    media.failPosition = false;
    media.failStop = true;
    EXPECT_NO_THROW(form->stop1.Click());
    EXPECT_EQ(media.positionsWritten, std::vector<double>{0});
}

TEST_F(TransportTest, RefusedPlayShowsItsMessageEachTimeAndKeepsTheTick) {
    media.failPlay = true;
    form->play.Click();
    form->play.Click();
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& m : messages.shown) {
        EXPECT_EQ(m.text,
                  "The player cannot play the song.\r\n check wheather the file exist and you "
                  "can access it.");
        EXPECT_EQ(m.icon, forms::MsgIcon::Critical);
        EXPECT_EQ(m.caption, "Corvessa");
    }
    EXPECT_TRUE(form->Timer.Enabled());
}

TEST_F(TransportTest, MuteTogglesTheControlAndThePicture) {
    const QImage muted = form->ImageList.Picture(1).toImage();
    const QImage sounding = form->ImageList.Picture(2).toImage();
    ASSERT_NE(muted, sounding);

    form->mute.Click();  // no song open yet
    EXPECT_TRUE(media.muted);
    EXPECT_TRUE(form->SoundMuted);
    EXPECT_EQ(form->mute.Picture().toImage(), muted);

    form->mute.Click();
    EXPECT_FALSE(media.muted);
    EXPECT_FALSE(form->SoundMuted);
    EXPECT_EQ(form->mute.Picture().toImage(), sounding);
    EXPECT_EQ(media.calls, (std::vector<std::string>{"Mute=1", "Mute=0"}));
}

TEST_F(TransportTest, SeekStepsMoveByWholeSecondsWithoutClamping) {
    media.duration = 200.0;
    const struct {
        forms::Label* label;
        double from, to;
    } steps[] = {
        {&form->minus, 10, -20},
        {&form->plusplus, 180, 240},
        {&form->minusminus, 100, 40},
        {&form->plus, 100, 130},
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(s.label->Name());
        media.positionsWritten.clear();
        media.position = s.from;
        s.label->Click();
        EXPECT_EQ(media.positionsWritten, std::vector<double>{s.to});
    }
}

TEST_F(TransportTest, SeekAtTheWholeSecondLengthOrWithNoSongDoesNothing) {
    media.duration = 125.4;
    media.position = 125;
    form->plus.Click();
    form->minus.Click();
    media.duration = media.position = 0;
    form->plusplus.Click();
    form->minusminus.Click();
    EXPECT_TRUE(media.positionsWritten.empty());

    media.duration = 200;
    media.position = 50;
    media.failPosition = true;
    form->plus.Click();
    EXPECT_TRUE(media.positionsWritten.empty());
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace

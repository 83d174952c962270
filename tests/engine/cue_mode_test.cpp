// The cue mode on the main window, driven by the virtual clock with the fake media control.
#include "engine/cue_mode.h"

#include "engine_window_test.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using enginetest::EngineWindowTest;

namespace {

class CueModeTest : public EngineWindowTest {
protected:
    void SetUp() override {
        EngineWindowTest::SetUp();
        // The state after start-up: "Change timing" ticked and latched, the length editable.
        form->Check1.SetValue(1);
        FillPlaylist({"a.mp3", "b.mp3", "c.mp3"});
        media.duration = 300;
        // Where the marker stood whenever a song was opened.
        media.onOpen = [this](const std::string&) {
            markerAtOpen.push_back(Marker());
            media.duration = 300;
        };
    }

    double Marker() { return form->imgVol1.Left(); }

    // Selects an item and lets it play from `position` without the cue opening anything.
    void Playing(int index, double position = 0) {
        form->List1.SetListIndex(index);
        media.playState = media::PlayStatePlaying;
        media.position = position;
    }

    void ClickOK(const std::string& length, const std::string& start) {
        form->Text3.SetText(length);
        form->Text2.SetText(start);
        form->command11.Click();
    }

    // How many of the written positions equal `seconds`.
    int Writes(double seconds) const {
        return static_cast<int>(
            std::count(media.positionsWritten.begin(), media.positionsWritten.end(), seconds));
    }

    std::vector<double> markerAtOpen;
};

// ---- "OK " ---------------------------------------------------------------------------------

TEST_F(CueModeTest, OkWithTheDefaultsFillsTheStartSecondAndStartsTheForwardSweep) {
    form->List1.SetListIndex(0);
    form->command11.Click();

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form->Text2.Text(), "1");
    EXPECT_EQ(form->Text5.Text(), "1");
    EXPECT_EQ(form->Check1.Value(), 0);
    EXPECT_EQ(form->ChangeTimingLatch, 0);
    EXPECT_FALSE(form->Text3.Enabled());
    EXPECT_TRUE(form->Timer2.Enabled());
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_TRUE(media.opened.empty()) << "OK opens no song";

    // The first tick keeps the design interval; from then on a step every 5 ms.
    clock.Advance(199);
    EXPECT_EQ(Marker(), 120);
    clock.Advance(1);
    EXPECT_EQ(Marker(), 130);
    EXPECT_EQ(form->Timer2.Interval(), 5);
    clock.Advance(5);
    EXPECT_EQ(Marker(), 140);
}

TEST_F(CueModeTest, OkAcceptsAndRejectsTheBoundsOfLengthAndStartSecond) {
    struct Row {
        const char* length;
        const char* start;
        bool accepted;
        int interval;  // after the first tick, when accepted
    };
    const Row rows[] = {
        {"1", "0", true, 5},      {"180", "59", true, 900}, {"007", "3", true, 35},
        {"0", "5", false, 0},     {"181", "5", false, 0},   {"5", "60", false, 0},
        {"", "5", false, 0},      {"x9", "5", false, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.length) + " / " + row.start);
        form->Check1.SetValue(1);  // back to set-up, as "Change timing" does
        form->List1.SetListIndex(0);
        messages.shown.clear();
        ClickOK(row.length, row.start);

        EXPECT_EQ(form->Text5.Text(), row.start) << "recorded whether or not accepted";
        EXPECT_EQ(form->Timer2.Enabled(), row.accepted);
        EXPECT_EQ(form->Text3.Enabled(), !row.accepted);
        if (row.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(form->ChangeTimingLatch, 0);
            clock.Advance(1000);  // past the first tick, whatever interval it started with
            EXPECT_EQ(form->Timer2.Interval(), row.interval);
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text,
                      "You have entered a wrong value,Please enter a value between (1 to 180) "
                      "and (0 to 59)  ");
            EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Exclamation);
            EXPECT_EQ(messages.shown[0].caption, "Corvessa");
            EXPECT_EQ(form->Check1.Value(), 1) << "the latch keeps it ticked";
            EXPECT_EQ(form->ChangeTimingLatch, 1);
        }
    }
}

TEST_F(CueModeTest, OkWithoutASelectedSongAsksForSongs) {
    for (bool emptyList : {false, true}) {
        if (emptyList) form->List1.Clear();
        messages.shown.clear();
        ClickOK("5", "5");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, "Please insert songs into the playlist");
        EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Exclamation);
        EXPECT_EQ(messages.shown[0].caption, "Corvessa");
        EXPECT_FALSE(form->Timer2.Enabled());
        EXPECT_TRUE(form->Text3.Enabled());
    }
}

TEST_F(CueModeTest, OkWhileACueRunsOnlyRecordsTheStartSecond) {
    Playing(0);
    ClickOK("1", "5");
    clock.Advance(200 + 5 * 50);  // 51 steps out
    const double marker = Marker();
    ASSERT_EQ(marker, 120 + 10 * 51);

    ClickOK("99", "x");  // not validated at all while the cue runs
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form->Text5.Text(), "x");
    EXPECT_EQ(Marker(), marker) << "no restart";
    EXPECT_TRUE(form->Timer2.Enabled());
    EXPECT_EQ(form->Check1.Value(), 0);
}

// ---- "Change timing" ------------------------------------------------------------------------

TEST_F(CueModeTest, ChangeTimingCancelsTheSweepAndStaysTickedWhileLatched) {
    Playing(0);
    ClickOK("1", "5");
    clock.Advance(200 + 5 * 20);
    ASSERT_GT(Marker(), 120);

    form->Check1.SetValue(1);
    EXPECT_EQ(form->ChangeTimingLatch, 1);
    EXPECT_FALSE(form->Timer2.Enabled());
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_TRUE(form->Text3.Enabled());
    EXPECT_EQ(Marker(), 120);

    // Unticking by hand: the box ticks itself again.
    form->Check1.SetValue(0);
    EXPECT_EQ(form->Check1.Value(), 1);
    clock.Advance(1000);
    EXPECT_EQ(Marker(), 120) << "no sweep runs in set-up";

    // The next "OK " clears the latch and starts afresh from 120.
    ClickOK("1", "5");
    EXPECT_EQ(form->Check1.Value(), 0);
    EXPECT_TRUE(form->Timer2.Enabled());
}

TEST_F(CueModeTest, ChangeTimingRightAfterATurnAroundStillLetsTheCueEndAct) {
    Playing(0);
    ClickOK("1", "5");
    clock.Advance(200 + 5 * 192);  // the turn-around tick at the right end
    ASSERT_TRUE(form->Timer3.Enabled());
    form->Check1.SetValue(1);  // the marker goes back to 120, the left end
    clock.Advance(100);
    EXPECT_EQ(media.opened, std::vector<std::string>{"/music/b.mp3"});
    EXPECT_FALSE(form->Timer3.Enabled());
}

// ---- Rhythm of the passes -----------------------------------------------------------------

TEST_F(CueModeTest, WithALongPlayLengthEachTurnAroundOpensTheNextItemAfter100Ms) {
    Playing(0, 12);
    ClickOK("21", "5");  // one step every 105 ms
    const int step = 105;

    // Forward pass: 192 steps, then the turn-around tick, which does not move the marker.
    clock.Advance(200 + 191 * step);
    EXPECT_EQ(Marker(), 2040);
    EXPECT_FALSE(form->Timer3.Enabled());
    clock.Advance(step);
    EXPECT_EQ(Marker(), 2040);
    EXPECT_TRUE(form->Timer3.Enabled());
    EXPECT_TRUE(form->Timer1.Enabled());
    EXPECT_FALSE(form->Timer2.Enabled());
    EXPECT_TRUE(media.opened.empty()) << "the song of OK plays until the first pass ends";

    clock.Advance(99);
    EXPECT_TRUE(media.opened.empty());
    clock.Advance(1);
    EXPECT_EQ(media.opened, std::vector<std::string>{"/music/b.mp3"});
    EXPECT_EQ(form->List1.ListIndex(), 1);
    EXPECT_EQ(form->Text1.Text(), "b.mp3");
    EXPECT_EQ(media.position, 5) << "the new song starts at second 5";
    EXPECT_FALSE(form->Timer3.Enabled());

    // The back pass: its first tick still at the design 200 ms after the turn-around.
    clock.Advance(99);
    EXPECT_EQ(Marker(), 2040);
    clock.Advance(1);
    EXPECT_EQ(Marker(), 2030);
    clock.Advance(191 * step);
    EXPECT_EQ(Marker(), 120);
    EXPECT_EQ(media.opened.size(), 1u);
    clock.Advance(step + 100);  // turn-around at the left end, then the cue end
    ASSERT_EQ(media.opened.size(), 2u);
    EXPECT_EQ(media.opened[1], "/music/c.mp3");

    // Last item: followed by item 0, which is shown and moved to second 5 as well.
    clock.Advance(193 * step);
    ASSERT_EQ(media.opened.size(), 3u);
    EXPECT_EQ(media.opened[2], "/music/a.mp3");
    EXPECT_EQ(form->List1.ListIndex(), 0);
    EXPECT_EQ(form->Text1.Text(), "a.mp3");
    EXPECT_EQ(media.position, 5);
    EXPECT_EQ(markerAtOpen, (std::vector<double>{2040, 120, 2040}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CueModeTest, ALongCueAfterAShortOnePlaysEachSongForOnePass) {
    // A short cue whose back sweep has ticked leaves both sweeps with a 20 ms interval.
    Playing(0);
    ClickOK("4", "5");
    clock.Advance(5000);
    ASSERT_EQ(form->Timer1.Interval(), 20);
    form->Check1.SetValue(1);

    std::vector<int64_t> openedAt;
    media.onOpen = [this, &openedAt](const std::string&) { openedAt.push_back(clock.Now()); };
    Playing(0);
    ClickOK("21", "10");
    const int64_t okAt = clock.Now();
    clock.Advance(4 * 21000);

    // One pass is 193 ticks of 105 ms; the first tick of a sweep may lag by up to 100 ms and
    // each change waits for the cue end's 100 ms tick.
    ASSERT_GE(openedAt.size(), 3u);
    int64_t previous = okAt;
    for (int64_t at : openedAt) {
        EXPECT_NEAR(at - previous, 193 * 105, 200) << "song opened at " << at;
        previous = at;
    }
}

TEST_F(CueModeTest, WithAShortPlayLengthTheNextSongCanWaitForALaterTurnAround) {
    Playing(0);
    ClickOK("10", "5");  // one step every 50 ms
    // The first change: the back sweep's first tick still waits the design 200 ms.
    clock.Advance(200 + 192 * 50 + 100);
    ASSERT_EQ(media.opened.size(), 1u);

    // Back pass from here: its turn-around arms the cue end, but the forward sweep moves the
    // marker off the end 50 ms later, before the cue end's tick.
    const int64_t backTurnAround = 200 + 192 * 50 + 200 + 192 * 50;
    clock.Advance(backTurnAround + 100 - clock.Now());
    EXPECT_EQ(media.opened.size(), 1u);
    EXPECT_TRUE(form->Timer3.Enabled()) << "it stays armed";
    EXPECT_GT(Marker(), 120);

    // It acts at its first tick that finds the marker at an end.
    for (int i = 0; i < 4000 && media.opened.size() < 2; ++i) clock.Advance(5);
    ASSERT_EQ(media.opened.size(), 2u);
    EXPECT_TRUE(cue::AtEitherEnd(markerAtOpen[1]));
    EXPECT_GT(clock.Now(), backTurnAround + 100);
    EXPECT_FALSE(form->Timer3.Enabled());
}

TEST_F(CueModeTest, WithRepeatEachTurnAroundSendsTheSongBackAndTheSelectionStays) {
    Playing(1, 40);  // past the start second, so only the turn-arounds write positions
    form->Check4.SetValue(1);
    ClickOK("1", "5");
    clock.Advance(200);
    form->Timer3.SetEnabled(true);  // as a turn-around without "Repeat" would have left it

    clock.Advance(192 * 5);  // the first turn-around
    EXPECT_EQ(Writes(5), 1);
    EXPECT_FALSE(form->Timer3.Enabled());
    EXPECT_TRUE(form->Timer1.Enabled());

    media.position = 40;
    clock.Advance(200 + 192 * 5);  // the back pass and its turn-around
    EXPECT_EQ(Writes(5), 2);
    media.position = 40;
    clock.Advance(193 * 5);
    EXPECT_EQ(Writes(5), 3);
    EXPECT_EQ(media.positionsWritten.size(), 3u);
    EXPECT_TRUE(media.opened.empty());
    EXPECT_EQ(form->List1.ListIndex(), 1);
}

TEST_F(CueModeTest, WithNothingPlayingTheMarkerSweepsButNothingIsHeld) {
    form->List1.SetListIndex(2);
    ClickOK("1", "5");
    media.playState = 0;
    form->Text2.SetText("75");  // would be refused during playback

    clock.Advance(200 + 100 * 5);
    EXPECT_EQ(Marker(), 120 + 10 * 101);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(media.positionsWritten.empty());
    EXPECT_EQ(form->Text2.Text(), "75");

    // The turn-around still acts: item 0 follows the selected last item.
    clock.Advance(92 * 5 + 100);
    EXPECT_EQ(media.opened, std::vector<std::string>{"/music/a.mp3"});
}

// ---- Holding the start second --------------------------------------------------------------

TEST_F(CueModeTest, TheStartSecondIsComparedAsTextWithTheLastAppliedOne) {
    Playing(0, 20);
    ClickOK("1", "9");
    clock.Advance(200);
    EXPECT_TRUE(media.positionsWritten.empty()) << "a song past second 9 is left alone";

    // "10" sorts before "9": applied at once, backwards.
    form->Text2.SetText("10");
    clock.Advance(5);
    EXPECT_EQ(media.positionsWritten, std::vector<double>{10});
    EXPECT_EQ(form->Text5.Text(), "10");

    // "9" sorts after "10": only a song that stands before it moves.
    form->Text2.SetText("9");
    clock.Advance(5);
    EXPECT_EQ(media.positionsWritten.size(), 1u);
    EXPECT_EQ(form->Text5.Text(), "9");
    media.position = 3;
    clock.Advance(5);
    EXPECT_EQ(media.positionsWritten, (std::vector<double>{10, 9}));
    clock.Advance(20);
    EXPECT_EQ(media.positionsWritten.size(), 2u) << "once there, the song plays on";
}

TEST_F(CueModeTest, AnEmptyStartFieldDuringPlaybackBecomesOne) {
    Playing(0, 0);
    ClickOK("1", "5");
    form->Text2.SetText("");
    clock.Advance(200);
    EXPECT_EQ(form->Text2.Text(), "1");
    EXPECT_EQ(media.positionsWritten, std::vector<double>{1}) << "\"1\" sorts before \"5\"";
}

TEST_F(CueModeTest, AStartSecondOf60DuringPlaybackIsReportedAndBecomes58) {
    Playing(0, 0);
    ClickOK("1", "5");
    clock.Advance(200 + 5 * 9);
    const std::size_t writesBefore = media.positionsWritten.size();
    const double markerBefore = Marker();

    form->Text2.SetText("60");
    std::string fieldWhileOpen;
    double markerWhileOpen = 0;
    messages.whileOpen = [&](const support::ShownMessage&) {
        fieldWhileOpen = form->Text2.Text();
        clock.Advance(50);  // the sweep's own ticks must not run on top of the open box
        markerWhileOpen = Marker();
    };
    clock.Advance(5);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "You have entered a wrong value,Please enter a value between (0 to 59)  ");
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Exclamation);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_EQ(fieldWhileOpen, "60");
    EXPECT_EQ(markerWhileOpen, markerBefore);
    EXPECT_EQ(form->Text2.Text(), "58");
    EXPECT_EQ(form->Text5.Text(), "58");
    ASSERT_EQ(media.positionsWritten.size(), writesBefore + 1);
    EXPECT_EQ(media.positionsWritten.back(), 58) << "the same tick goes on with 58";
    EXPECT_EQ(Marker(), markerBefore + 10);
}

// ---- The cue end ---------------------------------------------------------------------------

TEST_F(CueModeTest, TheCueEndOnAnEmptiedPlaylistReportsItAndTheSweepGoesOn) {
    Playing(0);
    ClickOK("1", "5");
    form->List1.Clear();  // the loader replaced the playlist meanwhile
    clock.Advance(200 + 192 * 5 + 100);

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The play list is empty");
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Information);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_FALSE(form->Timer3.Enabled());
    EXPECT_TRUE(media.opened.empty());
    const double marker = Marker();
    clock.Advance(250);
    EXPECT_LT(Marker(), marker) << "the back sweep runs on";
}

// ---- Key filter ----------------------------------------------------------------------------

TEST_F(CueModeTest, TheFieldsTakeDigitsAndBackspaceAndDropAnyOtherKeyWithAMessage) {
    for (forms::TextBox* field : {&form->Text2, &form->Text3}) {
        SCOPED_TRACE(field->Name());
        messages.shown.clear();
        for (int key : std::initializer_list<int>{'7', '0', '9', 8}) {
            int16_t k = static_cast<int16_t>(key);
            field->KeyPress(k);
            EXPECT_EQ(k, key);
        }
        EXPECT_TRUE(messages.shown.empty());
        for (int key : std::initializer_list<int>{'a', ' ', '-', '.', 13}) {
            messages.shown.clear();
            int16_t k = static_cast<int16_t>(key);
            field->KeyPress(k);
            EXPECT_EQ(k, 0) << key;
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, "ONLY INTEGER CAN BE ENTERED");
            EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::None);
            EXPECT_EQ(messages.shown[0].caption, "Corvessa");
        }
    }
}

TEST_F(CueModeTest, ATypedLetterNeverReachesTheField) {
    form->Text3.SetText("1");
    QWidget* box = form->Text3.Widget();
    static_cast<QLineEdit*>(box)->end(false);  // the user puts the caret after the "1"
    for (auto [key, typed] : {std::pair{Qt::Key_2, "2"}, std::pair{Qt::Key_X, "x"}}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString::fromLatin1(typed));
        QApplication::sendEvent(box, &press);
    }
    EXPECT_EQ(form->Text3.Text(), "12");
    EXPECT_EQ(messages.shown.size(), 1u);
}

// ---- With the transport ---------------------------------------------------------------------

TEST_F(CueModeTest, PauseDuringTheBackSweepThenStopThenPlayTurnsAroundAtTheStart) {
    Playing(0, 30);
    ClickOK("21", "5");
    clock.Advance(200 + 192 * 105 + 100 + 200 + 10 * 105);  // 11 steps into the back sweep
    ASSERT_EQ(media.opened.size(), 1u);
    ASSERT_TRUE(form->Timer1.Enabled());
    ASSERT_EQ(Marker(), 2040 - 110);
    media.position = 30;

    form->pause.Click();
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_EQ(form->BackSweepPaused, 1);
    clock.Advance(1000);
    EXPECT_EQ(Marker(), 2040 - 110) << "paused where it was";

    form->stop1.Click();
    EXPECT_EQ(Marker(), 120);
    EXPECT_TRUE(form->Text3.Enabled());
    EXPECT_EQ(form->CueResumeState, 0) << "no sweep ran at the stop";

    form->play.Click();
    form->Timer.SetEnabled(false);  // the playback tick is not under test here
    EXPECT_TRUE(form->Timer1.Enabled());
    EXPECT_FALSE(form->Timer2.Enabled());

    // The resumed back sweep stands at its end: it turns around at once and arms the cue end.
    clock.Advance(105);
    EXPECT_TRUE(form->Timer2.Enabled());
    EXPECT_FALSE(form->Timer1.Enabled());
    EXPECT_TRUE(form->Timer3.Enabled());
    EXPECT_EQ(Marker(), 120);
    clock.Advance(100);
    EXPECT_EQ(media.opened.size(), 2u) << "the marker still stood at 120";
    clock.Advance(5);
    EXPECT_EQ(Marker(), 130) << "the forward sweep starts from the start of the track";
    EXPECT_FALSE(form->Text3.Enabled());
}

TEST_F(CueModeTest, AnUncheckedLengthAfterStopStillSweeps) {
    Playing(0, 30);
    ClickOK("1", "5");
    clock.Advance(300);
    form->stop1.Click();
    for (const char* length : {"", "0", "500"}) {
        SCOPED_TRACE(length);
        form->Text3.SetText(length);
        form->play.Click();
        form->Timer.SetEnabled(false);
        clock.Advance(1000);
        EXPECT_GT(Marker(), 120);
        EXPECT_EQ(form->Timer2.Interval(), length == std::string("500") ? 900 : 5);
        form->stop1.Click();
    }
}

} // namespace

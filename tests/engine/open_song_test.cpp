#include "engine_window_test.h"

#include <cstdio>
#include <gtest/gtest.h>

using enginetest::EngineWindowTest;

namespace {

const char* const kOpenFailed =
    "Song can not be played by the media player\r\ncheck wheather the file exist and you can "
    "access it.";

class OpenSongTest : public EngineWindowTest {
protected:
    std::vector<forms::Control*> Revealed() {
        return {&form->duration, &form->dur,      &form->Text1,      &form->plus,
                &form->plusplus, &form->minus,    &form->minusminus, &form->Check4};
    }
    void ExpectUntouched() {
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_TRUE(media.calls.empty());
        EXPECT_FALSE(form->Timer.Enabled());
        EXPECT_EQ(form->duration.Caption(), "Duration...");
    }
    void ExpectRevealed(bool shown) {
        for (forms::Control* c : Revealed()) EXPECT_EQ(c->Visible(), shown) << c->Name();
        EXPECT_EQ(form->play.Enabled(), shown);
        EXPECT_EQ(form->pause.Enabled(), shown);
    }
    void HideRevealed() {
        for (forms::Control* c : Revealed()) c->SetVisible(false);
    }
};

TEST_F(OpenSongTest, DoubleClickOpensTheSelectedSongAndRevealsTheControls) {
    const std::string longName =
        "The very long name of a song that does not fit in the now-playing line at all.mp3";
    FillPlaylist({"a.mp3", longName});
    HideRevealed();
    form->List1.SetListIndex(1);
    form->List1.DblClick();

    EXPECT_EQ(media.opened, std::vector<std::string>{"/music/" + longName});
    EXPECT_EQ(media.calls, std::vector<std::string>{"Open"});  // no separate Play
    EXPECT_TRUE(form->Timer.Enabled());
    EXPECT_EQ(form->duration.Caption(), "Progressing...");
    EXPECT_EQ(form->Text1.Text(), longName);
    EXPECT_EQ(form->Text1.ToolTipText(), longName);
    ExpectRevealed(true);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenSongTest, NothingToOpenDoesNothingAndSaysNothing) {
    HideRevealed();
    form->List1.DblClick();  // empty playlist
    ExpectUntouched();

    FillPlaylist({"a.mp3"});
    form->List1.DblClick();  // no selection
    ExpectUntouched();

    Module1::SongTable(0).FullPath.clear();
    form->List1.SetListIndex(0);
    form->List1.DblClick();  // an item whose record holds no song
    ExpectUntouched();
    ExpectRevealed(false);
}

TEST_F(OpenSongTest, IndexBeyondTheSongTableShowsTheMessage) {
    char name[16];
    for (int i = 0; i <= Module1::SongTableLast + 1; ++i) {
        std::snprintf(name, sizeof name, "%05d.mp3", i);
        form->List1.AddItem(name);
    }
    form->List1.SetListIndex(Module1::SongTableLast + 1);
    form->List1.DblClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOpenFailed);
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Critical);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_TRUE(media.calls.empty());
}

TEST_F(OpenSongTest, FailedOpenLeavesTheTickRunningAndASecondTryWorks) {
    FillPlaylist({"a.mp3", "b.mp3"});
    HideRevealed();
    media.failOpen = true;
    form->List1.SetListIndex(0);
    form->List1.DblClick();

    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOpenFailed);
    EXPECT_EQ(messages.shown[0].icon, forms::MsgIcon::Critical);
    EXPECT_EQ(messages.shown[0].caption, "Corvessa");
    EXPECT_TRUE(form->Timer.Enabled());
    EXPECT_EQ(form->duration.Caption(), "Progressing...");
    EXPECT_EQ(form->Text1.Text(), "");
    ExpectRevealed(false);

    // The next tick finds 0 for both values: the song counts as ended and the next opens.
    media.failOpen = false;
    clock.Advance(1000);
    EXPECT_EQ(media.opened, std::vector<std::string>{"/music/b.mp3"});
    EXPECT_EQ(form->Text1.Text(), "b.mp3");

    form->List1.SetListIndex(0);
    form->List1.DblClick();
    EXPECT_EQ(media.opened.back(), "/music/a.mp3");
    EXPECT_EQ(form->Text1.Text(), "a.mp3");
    ExpectRevealed(true);
    EXPECT_EQ(messages.shown.size(), 1u);
}

// The media control may take seconds to refuse a file, long after Open has returned. The
// double-click's file is told of when the refusal comes; what the tick opens is not.
TEST_F(OpenSongTest, AFileRefusedAfterOpenIsToldOnlyWhenTheDoubleClickOpenedIt) {
    FillPlaylist({"a.mp3", "b.mp3"});
    media.openLoading = true;
    form->List1.SetListIndex(0);
    form->List1.DblClick();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form->Text1.Text(), "a.mp3");
    clock.Advance(1000);
    EXPECT_EQ(media.opened.size(), 1u) << "the tick moved on from a file still loading";
    EXPECT_EQ(form->duration.Caption(), "Progressing...");

    media.FailLoading();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, kOpenFailed);

    clock.Advance(1000);
    EXPECT_EQ(media.opened.back(), "/music/b.mp3");
    media.FailLoading();
    clock.Advance(1000);
    EXPECT_EQ(media.opened.back(), "/music/a.mp3") << "the tick moves on from a file that failed";
    EXPECT_EQ(messages.shown.size(), 1u);
}

} // namespace

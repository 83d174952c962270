// The playback tick on the real libmpv back end (silent output): two short songs play one
// after the other and the list wraps to the first.
#include "real_media_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class RealPlaybackTest : public enginetest::RealMediaTest {
protected:
    // Makes the tone and puts it last in the playlist, as the loader would; true when made.
    bool AddSong(const std::string& name, double seconds, int hertz) {
        if (!MakeSong(name, seconds, hertz)) return false;
        Module1::SongTable(form->List1.ListCount()).FullPath = Path(name);
        form->List1.AddItem(name);
        return true;
    }
};

TEST_F(RealPlaybackTest, SongsPlayInTurnAndTheListWrapsToTheFirst) {
    ASSERT_TRUE(AddSong("a.mp3", 2, 440));
    ASSERT_TRUE(AddSong("b.mp3", 2, 660));

    form->List1.SetListIndex(0);
    form->List1.DblClick();
    ASSERT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    ASSERT_EQ(form->Text1.Text(), "a.mp3");

    // The songs that became current, in turn, and the captions seen while "b.mp3" played.
    std::vector<std::string> playing{"a.mp3"};
    std::vector<std::string> captionsOfB;
    // Half a second of real time per playback tick; the bound only keeps a broken back end
    // from hanging the run.
    for (int tick = 0; tick < 60 && playing.size() < 3; ++tick) {
        RealTick();
        const std::string now = form->Text1.Text();
        if (now != playing.back()) playing.push_back(now);
        if (now == "b.mp3") captionsOfB.push_back(form->duration.Caption());
    }

    EXPECT_EQ(playing, (std::vector<std::string>{"a.mp3", "b.mp3", "a.mp3"}));
    EXPECT_EQ(form->List1.ListIndex(), 0);
    EXPECT_TRUE(form->Timer.Enabled());
    EXPECT_TRUE(messages.shown.empty());
    // "b.mp3" really played: a tick saw its length while it was under way.
    bool sawLength = false;
    for (const auto& c : captionsOfB) sawLength |= c.ends_with("/0:02");
    EXPECT_TRUE(sawLength) << "captions while b.mp3 played: " << ::testing::PrintToString(captionsOfB);
}

// A playback tick can fall right after a double-click. It must find the song the user chose
// loaded and under way, not take its not-yet-known length for the end of it.
TEST_F(RealPlaybackTest, ATickRightAfterADoubleClickKeepsTheSongChosen) {
    ASSERT_TRUE(AddSong("a.mp3", 2, 440));
    ASSERT_TRUE(AddSong("b.mp3", 3, 660));

    // The first double-click starts the tick; then a second song while the tick runs.
    for (const int item : {0, 1}) {
        form->List1.SetListIndex(static_cast<int16_t>(item));
        form->List1.DblClick();
        clock.Advance(1000);
        const std::string name = item == 0 ? "a.mp3" : "b.mp3";
        EXPECT_EQ(form->List1.ListIndex(), item);
        EXPECT_EQ(form->Text1.Text(), name) << "the tick moved on from the song just chosen";
        EXPECT_EQ(form->duration.Caption(), item == 0 ? "Duration: 0:00/0:02" : "Duration: 0:00/0:03");
    }
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace

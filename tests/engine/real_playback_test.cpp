// The playback tick on the real libmpv back end (silent output): two short songs play one
// after the other and the list wraps to the first.
#include "real_media_test.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using RealPlaybackTest = enginetest::RealMediaTest;

TEST_F(RealPlaybackTest, SongsPlayInTurnAndTheListWrapsToTheFirst) {
    ASSERT_TRUE(MakeSong("a.mp3", 2, 440));
    ASSERT_TRUE(MakeSong("b.mp3", 2, 660));
    form->List1.AddItem("a.mp3");
    form->List1.AddItem("b.mp3");
    Module1::SongTable(0).FullPath = Path("a.mp3");
    Module1::SongTable(1).FullPath = Path("b.mp3");

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

} // namespace

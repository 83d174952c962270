// The cue mode on the real libmpv back end (silent output): a one-second cue from second 1
// moves through three short songs and wraps to the first. The virtual clock drives the timers;
// real time is let pass whenever the back end has a song to load.
#include "engine/cue_mode.h"
#include "real_media_test.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Lets real time pass until the condition holds; the bound only keeps a broken back end from
// hanging the run.
bool WaitReal(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class RealCueTest : public enginetest::RealMediaTest {
protected:
    bool Loaded() {
        return form->Media.PlayState() == media::PlayStatePlaying && form->Media.Duration() > 0;
    }
};

TEST_F(RealCueTest, AOneSecondCueMovesFromSongToSongAndWraps) {
    ASSERT_TRUE(folder.isValid());
    const std::vector<std::string> names{"a.mp3", "b.mp3", "c.mp3"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(MakeSong(names[i], 3, 440 + 110 * static_cast<int>(i)));
        form->List1.AddItem(names[i]);
        Module1::SongTable(static_cast<int>(i)).FullPath = Path(names[i]);
    }

    form->List1.SetListIndex(0);
    form->List1.DblClick();
    form->Timer.SetEnabled(false);  // only the cue moves from song to song here
    ASSERT_EQ(form->Text1.Text(), "a.mp3");
    ASSERT_TRUE(WaitReal([&] { return Loaded(); }));

    form->Check1.SetValue(1);
    form->Text3.SetText("1");
    form->Text2.SetText("1");
    form->command11.Click();
    ASSERT_TRUE(form->Timer2.Enabled());

    std::vector<std::string> playing{"a.mp3"};
    std::vector<double> lengths;
    // With a 5 ms step the cue end acts at a turn-around that its 100 ms tick happens to
    // meet, which can take several passes; 300 virtual seconds bound the search.
    for (int step = 0; step < 60000 && playing.size() < 4; ++step) {
        clock.Advance(5);
        if (step % 20 == 0) QCoreApplication::processEvents();
        const std::string now = form->Text1.Text();
        if (now == playing.back()) continue;
        playing.push_back(now);
        ASSERT_TRUE(WaitReal([&] { return Loaded(); })) << now << " did not start";
        lengths.push_back(form->Media.Duration());
        // The new song is held at or after second 1.
        ASSERT_TRUE(WaitReal([&] { return form->Media.CurrentPosition() >= 1; })) << now;
    }

    EXPECT_EQ(playing, (std::vector<std::string>{"a.mp3", "b.mp3", "c.mp3", "a.mp3"}));
    EXPECT_EQ(form->List1.ListIndex(), 0);
    for (double length : lengths) EXPECT_NEAR(length, 3.0, 0.2);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace

// Broken and odd files in the playlist, on the real libmpv back end (silent output) and the real
// main window. None of them may crash or hang the player. A file that the media control refuses
// (it is missing, a folder, a pipe, cannot be read, or holds nothing that plays: no bytes, text,
// random bytes) brings up the open-failure message on a double-click, and the next playback tick
// moves on from it. A file that starts like a song but breaks off plays the little it holds.
// Either way the player gets to the good song after it. Huge files that take libmpv seconds to
// refuse hold the window no longer than the others: the message comes when the refusal does.
#include "real_media_test.h"
#include "support/slow_bad_files.h"

#include <gtest/gtest.h>

#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* const OpenFailure =
    "Song can not be played by the media player\r\ncheck wheather the file exist and you can "
    "access it.";

enum class Bad {
    Empty,         // zero bytes
    Truncated,     // the first 4 KB of a good song
    Noise,         // random bytes
    Text,          // words, not sound
    Folder,        // a folder named x.mp3
    Unreadable,    // mode 000
    ThroughAFile,  // a path whose "folder" is a file
    Fifo,          // a named pipe x.mp3: opening it for reading would wait for a writer
    Gone,          // deleted after it was put in the playlist
};

struct BadCase {
    Bad kind;
    const char* name;
    // The media control says no at Open (the message) rather than taking the file and
    // playing the little there is in it (moved on from by the tick at its end).
    bool refusedAtOnce;
};

void PrintTo(const BadCase& bad, std::ostream* out) { *out << bad.name; }

const BadCase BadCases[] = {
    {Bad::Empty, "Empty", true},
    {Bad::Truncated, "Truncated", false},
    {Bad::Noise, "Noise", true},
    {Bad::Text, "Text", true},
    {Bad::Folder, "Folder", true},
    {Bad::Unreadable, "Unreadable", true},
    {Bad::ThroughAFile, "ThroughAFile", true},
    {Bad::Fifo, "Fifo", true},
    {Bad::Gone, "Gone", true},
};

// Aborts the whole run, loudly, when a test has not finished in time: a hang is the failure
// these tests look for, and it should say so at once rather than as a run timed out much later.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, limit, [this] { return finished_; })) {
                  std::fprintf(stderr, "bad media: the player hung (no end within %llds)\n",
                               static_cast<long long>(limit.count()));
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

// Root reads a file whatever its mode. Taking the file-access override out of this thread's
// effective capabilities (it stays permitted, so it can be put back) makes mode 000 stop the
// test as it stops any other user. The check that refuses such a file runs on this thread.
class WithoutFileAccessOverride {
public:
    WithoutFileAccessOverride() {
        if (syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        lowered_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutFileAccessOverride() {
        if (lowered_) syscall(SYS_capset, &header_, saved_);
    }
    WithoutFileAccessOverride(const WithoutFileAccessOverride&) = delete;
    WithoutFileAccessOverride& operator=(const WithoutFileAccessOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2]{};
    bool lowered_ = false;
};

bool CanRead(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

class BadMediaTest : public enginetest::RealMediaTest {
protected:
    void SetUp() override {
        RealMediaTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(MakeSong("good.mp3", 2, 660));
    }

    // Makes the bad file in its own sub-folder (two of them are named x.mp3) and returns the
    // path to put in the song table. Gone is made whole here and deleted by Spoil.
    std::string MakeBad(Bad kind) {
        const fs::path dir = fs::path(Path("bad")) / std::to_string(static_cast<int>(kind));
        fs::create_directories(dir);
        const fs::path file = dir / "x.mp3";
        switch (kind) {
        case Bad::Empty:
            std::ofstream(file, std::ios::binary).flush();
            break;
        case Bad::Truncated: {
            std::ifstream whole(Path("good.mp3"), std::ios::binary);
            std::vector<char> head(4096);
            whole.read(head.data(), static_cast<std::streamsize>(head.size()));
            std::ofstream(file, std::ios::binary).write(head.data(), whole.gcount());
            break;
        }
        case Bad::Noise: {
            std::mt19937 draw(20240611);  // fixed, so a failure can be looked at again
            std::string bytes(64 * 1024, '\0');
            for (char& b : bytes) b = static_cast<char>(draw() & 0xFF);
            std::ofstream(file, std::ios::binary) << bytes;
            break;
        }
        case Bad::Text:
            std::ofstream(file) << "Verse one\nChorus\nVerse two\n";
            break;
        case Bad::Folder:
            fs::create_directory(file);
            break;
        case Bad::Unreadable:
            fs::copy_file(Path("good.mp3"), file);
            fs::permissions(file, fs::perms::none);
            break;
        case Bad::ThroughAFile:
            fs::copy_file(Path("good.mp3"), dir / "song.mp3");
            return (dir / "song.mp3" / "x.mp3").string();
        case Bad::Fifo:
            if (::mkfifo(file.c_str(), 0644) != 0) ADD_FAILURE() << "mkfifo " << file;
            break;
        case Bad::Gone:
            fs::copy_file(Path("good.mp3"), file);
            break;
        }
        return file.string();
    }

    // What happens to a bad file after the playlist holds it and before it is played.
    void Spoil(Bad kind, const std::string& path) {
        if (kind == Bad::Gone) fs::remove(path);
    }

    // The playlist lists items in name order; the numbers keep them in the order given, and
    // record i names the file of item i.
    void Fill(const std::vector<std::string>& paths) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            form->List1.AddItem(ItemText(i));
            Module1::SongTable(static_cast<int>(i)).FullPath = paths[i];
        }
    }
    // Two digits, so that the sorted list keeps item 10 after item 9.
    static std::string ItemText(std::size_t i) {
        return (i < 10 ? "0" : "") + std::to_string(i) + " x.mp3";
    }

    // Ticks until the item is playing and a tick has shown its two-second length, within the
    // bound; records each newly selected item on the way.
    bool TickUntilPlaying(const std::string& item, int maxTicks, std::vector<int>* selected) {
        for (int tick = 0; tick < maxTicks; ++tick) {
            RealTick();
            const int now = form->List1.ListIndex();
            if (selected && (selected->empty() || selected->back() != now)) selected->push_back(now);
            if (form->Text1.Text() == item && form->duration.Caption().ends_with("/0:02"))
                return true;
        }
        return false;
    }

    Watchdog watchdog{120s};
};

class EachBadFile : public BadMediaTest, public ::testing::WithParamInterface<BadCase> {};

TEST_P(EachBadFile, IsRefusedWithTheMessageOrSkippedAndTheNextSongPlays) {
    const BadCase bad = GetParam();
    const std::string path = MakeBad(bad.kind);
    Fill({path, Path("good.mp3")});
    Spoil(bad.kind, path);

    std::optional<WithoutFileAccessOverride> unprivileged;
    if (bad.kind == Bad::Unreadable) {
        unprivileged.emplace();
        if (CanRead(path)) GTEST_SKIP() << "this user reads a file of mode 000; nothing to test";
    }

    form->List1.SetListIndex(0);
    form->List1.DblClick();

    if (bad.refusedAtOnce) {
        // Checked without ending the test: what the ticks do next still has to be seen.
        EXPECT_EQ(messages.shown.size(), 1u);
        for (const support::ShownMessage& m : messages.shown) {
            EXPECT_EQ(m.text, OpenFailure);
            EXPECT_EQ(m.icon, forms::MsgIcon::Critical);
            EXPECT_EQ(m.caption, "Corvessa");
        }
        EXPECT_EQ(form->Text1.Text(), "") << "a refused file must not be named as playing";
    } else {
        EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
        EXPECT_EQ(form->Text1.Text(), ItemText(0));
    }
    EXPECT_TRUE(form->Timer.Enabled());

    EXPECT_TRUE(TickUntilPlaying(ItemText(1), 20, nullptr))
        << "now playing " << form->Text1.Text() << ", " << form->duration.Caption();
    EXPECT_EQ(messages.shown.size(), bad.refusedAtOnce ? 1u : 0u);
}

// After the message, the user double-clicks a good song: it plays, shows every control, and the
// playback tick that comes right after leaves it playing.
TEST_F(BadMediaTest, AfterTheMessageTheGoodSongDoubleClickedPlays) {
    ASSERT_TRUE(MakeSong("other.mp3", 2, 440));
    Fill({MakeBad(Bad::Noise), Path("good.mp3"), Path("other.mp3")});

    form->List1.SetListIndex(0);
    form->List1.DblClick();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().text, OpenFailure);
    EXPECT_EQ(form->duration.Caption(), "Progressing...");
    EXPECT_FALSE(form->play.Enabled()) << "nothing was opened that could be played";

    form->List1.SetListIndex(1);
    form->List1.DblClick();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(form->Text1.Text(), ItemText(1));
    EXPECT_TRUE(form->play.Enabled());
    EXPECT_TRUE(form->dur.Visible());

    clock.Advance(1000);
    EXPECT_EQ(form->List1.ListIndex(), 1);
    EXPECT_EQ(form->Text1.Text(), ItemText(1));
    EXPECT_EQ(form->duration.Caption(), "Duration: 0:00/0:02");
}

// The cue end meets a file that is no song: nothing names it as playing, no message comes up,
// and the cue goes on to the song after it at its next turn-around.
TEST_F(BadMediaTest, TheCueEndPassesOverAFileThatIsNoSong) {
    ASSERT_TRUE(MakeSong("other.mp3", 2, 440));
    Fill({Path("good.mp3"), MakeBad(Bad::Noise), Path("other.mp3")});
    form->List1.SetListIndex(0);
    form->List1.DblClick();
    form->Timer.SetEnabled(false);  // only the cue moves from song to song here

    // A play length of 21 keeps the marker at each end for 105 ms: the cue end, 100 ms after
    // the turn-around, finds it there.
    form->Check1.SetValue(1);
    form->Text3.SetText("21");
    form->Text2.SetText("0");
    form->command11.Click();
    ASSERT_TRUE(form->Timer2.Enabled());

    std::vector<std::string> named{ItemText(0)};
    std::vector<int> selected{0};
    // Two passes of 193 sweep ticks of 105 ms, and some room.
    for (int ms = 0; ms < 45000 && named.back() != ItemText(2); ms += 5) {
        clock.Advance(5);
        if (form->Text1.Text() != named.back()) named.push_back(form->Text1.Text());
        if (form->List1.ListIndex() != selected.back()) selected.push_back(form->List1.ListIndex());
    }
    EXPECT_EQ(named, (std::vector<std::string>{ItemText(0), ItemText(2)}));
    EXPECT_EQ(selected, (std::vector<int>{0, 1, 2}));
    EXPECT_FALSE(form->Timer3.Enabled());
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_EQ(form->Media.PlayState(), media::PlayStatePlaying);
}

INSTANTIATE_TEST_SUITE_P(BadMedia, EachBadFile, ::testing::ValuesIn(BadCases),
                         [](const ::testing::TestParamInfo<BadCase>& info) {
                             return std::string(info.param.name);
                         });

// The tick meets the bad files one after the other, the way the player goes down a folder: it
// must neither stop nor show anything, and it must reach the good song after them.
TEST_F(BadMediaTest, TheTickRunsThroughEveryBadFileToTheSongAfterThem) {
    ASSERT_TRUE(MakeSong("first.mp3", 1, 440));
    std::vector<std::string> paths{Path("first.mp3")};
    for (const BadCase& bad : BadCases) paths.push_back(MakeBad(bad.kind));
    paths.push_back(Path("good.mp3"));
    Fill(paths);
    for (std::size_t i = 0; i < std::size(BadCases); ++i) Spoil(BadCases[i].kind, paths[i + 1]);
    WithoutFileAccessOverride unprivileged;

    form->List1.SetListIndex(0);
    form->List1.DblClick();
    ASSERT_EQ(form->Text1.Text(), ItemText(0));

    std::vector<int> selected{0};
    const std::size_t last = paths.size() - 1;
    EXPECT_TRUE(TickUntilPlaying(ItemText(last), 60, &selected))
        << "now playing " << form->Text1.Text() << ", " << form->duration.Caption();

    // Every item in turn, none passed over and none gone back to.
    std::vector<int> inTurn;
    for (std::size_t i = 0; i <= last; ++i) inTurn.push_back(static_cast<int>(i));
    EXPECT_EQ(selected, inTurn);
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_TRUE(form->Timer.Enabled());
}

// Files of 20 MB that libmpv looks through for seconds before it refuses them. The window must
// go on answering meanwhile: no step of it may hold the thread anywhere near that long (a
// second is a generous bound; the media control waits a fifth of one).
class SlowBadFileTest : public BadMediaTest {
protected:
    std::string MakeSlowBad(support::SlowBadFile kind) {
        const std::string path = Path("slow.mp3");
        EXPECT_TRUE(support::WriteSlowBadFile(path, kind));
        return path;
    }
    void DoubleClick(int16_t index) {
        form->List1.SetListIndex(index);
        Holding([this] { form->List1.DblClick(); });
    }
};

TEST_F(SlowBadFileTest, ZerosDoubleClickedAreToldOfWhenRefusedAndTheTickThenMovesOn) {
    Fill({MakeSlowBad(support::SlowBadFile::Zeros), Path("good.mp3")});
    DoubleClick(0);
    EXPECT_TRUE(messages.shown.empty()) << "told before libmpv had refused the file";
    EXPECT_EQ(form->Media.PlayState(), media::PlayStateOpening);
    Holding([this] { clock.Advance(1000); });
    EXPECT_EQ(form->List1.ListIndex(), 0) << "the tick moved on from a file still loading";

    for (int wait = 0; wait < 30 && messages.shown.empty(); ++wait) RunEventLoop(500ms);
    ASSERT_EQ(messages.shown.size(), 1u) << "the refusal was never told";
    EXPECT_EQ(messages.shown[0].text, OpenFailure);

    EXPECT_TRUE(TickUntilPlaying(ItemText(1), 10, nullptr))
        << "now playing " << form->Text1.Text() << ", " << form->duration.Caption();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_LT(longestHold, 1s);
}

// libmpv needs over seven seconds to refuse these; the player gives up on them sooner.
TEST_F(SlowBadFileTest, TheTickWaitsForAFileStillLoadingButNotForOneThatNeverLoads) {
    Fill({MakeSlowBad(support::SlowBadFile::FrameHeaders), Path("good.mp3")});
    DoubleClick(0);
    RealTick();
    RealTick();
    EXPECT_EQ(form->List1.ListIndex(), 0) << "the tick moved on from a file still loading";
    EXPECT_EQ(form->Media.PlayState(), media::PlayStateOpening);

    std::vector<int> selected{0};
    EXPECT_TRUE(TickUntilPlaying(ItemText(1), 30, &selected))
        << "now playing " << form->Text1.Text() << ", " << form->duration.Caption();
    EXPECT_EQ(selected, (std::vector<int>{0, 1}));
    ASSERT_EQ(messages.shown.size(), 1u) << "a file given up on is not told of";
    EXPECT_EQ(messages.shown[0].text, OpenFailure);
    EXPECT_LT(longestHold, 1s);
}

// The user picks another song while libmpv is still busy with a huge file; letting go of it
// takes libmpv a while, during which the song picked must not be taken for ended.
TEST_F(SlowBadFileTest, ASongDoubleClickedOverAFileStillLoadingIsNotPassedOver) {
    ASSERT_TRUE(MakeSong("other.mp3", 2, 440));
    Fill({MakeSlowBad(support::SlowBadFile::FrameHeaders), Path("good.mp3"), Path("other.mp3")});
    DoubleClick(0);
    RunEventLoop(1500ms);
    DoubleClick(1);
    ASSERT_EQ(form->Media.PlayState(), media::PlayStateOpening)
        << "libmpv let go of the huge file at once: nothing left to see here";
    Holding([this] { clock.Advance(1000); });
    EXPECT_EQ(form->List1.ListIndex(), 1);
    EXPECT_EQ(form->Text1.Text(), ItemText(1));

    std::vector<int> selected{1};
    EXPECT_TRUE(TickUntilPlaying(ItemText(1), 10, &selected))
        << "now playing " << form->Text1.Text() << ", " << form->duration.Caption();
    EXPECT_EQ(selected, std::vector<int>{1});
    EXPECT_TRUE(messages.shown.empty()) << messages.shown.front().text;
    EXPECT_LT(longestHold, 1s);
}

} // namespace

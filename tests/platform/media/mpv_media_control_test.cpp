// The libmpv back end on real MP3 tones made for the run, through mpv's silent "null" output.
#include "platform/forms/runtime_error.h"
#include "platform/media/mpv_media_control.h"
#include "support/slow_bad_files.h"
#include "support/test_tools.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <thread>

namespace media {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr double ToneSeconds = 3.0;
constexpr double ShortToneSeconds = 2.0;

// Polls until the condition holds or a generous bound passes; the bound is only there so a
// broken back end fails the test instead of hanging it.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = 5s) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

void Pass(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

class MpvMediaControlTest : public testing::Test {
protected:
    // Failures here are recorded for SetUp to report: an assertion in the suite set-up would
    // have every test merely skipped.
    static void SetUpTestSuite() {
        char pattern[] = "/tmp/corvessa-media-XXXXXX";
        if (!mkdtemp(pattern)) {
            setUpFailure_ = "cannot make a temporary folder";
            return;
        }
        folder_ = pattern;
        setUpFailure_ = MakeTone("tone.mp3", ToneSeconds, 440) +
                        MakeTone("short.mp3", ShortToneSeconds, 660);
    }
    static void TearDownTestSuite() {
        if (!folder_.empty())
            fs::remove_all(folder_);
    }
    void SetUp() override { ASSERT_EQ(setUpFailure_, ""); }

    static std::string MakeTone(const std::string& name, double seconds, int hertz) {
        return support::MakeMp3(Path(name), seconds, hertz) ? "" : "cannot make " + Path(name) + "\n";
    }
    static std::string Path(const std::string& name) { return (folder_ / name).string(); }

    // Opens a file and waits until its length is known.
    void OpenLoaded(const std::string& name) {
        media_.Open(Path(name));
        ASSERT_TRUE(WaitUntil([&] { return media_.Duration() > 0; })) << name;
    }
    bool WaitForPosition(double atLeast) {
        return WaitUntil([&] { return media_.CurrentPosition() >= atLeast; });
    }
    bool WaitForEnd() {
        return WaitUntil([&] { return media_.CurrentPosition() == media_.Duration(); });
    }

    static inline fs::path folder_;
    static inline std::string setUpFailure_;
    MpvMediaControl media_{MpvOptions{"null"}};
    // Open returns at once, as it does for a file that is slow to load.
    static inline const MpvOptions NoWait{"null", 0ms};
};

TEST_F(MpvMediaControlTest, OpenPlaysByItselfWithTheEncodedLength) {
    OpenLoaded("tone.mp3");
    EXPECT_NEAR(media_.Duration(), ToneSeconds, 0.1);
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
    const double first = media_.CurrentPosition();
    EXPECT_TRUE(WaitForPosition(first + 0.3)) << "the position does not advance";
    EXPECT_LT(media_.CurrentPosition(), media_.Duration());

    // The next file's own length, at once: a playback tick right after Open must not read
    // the 0 of a file still loading, nor the previous file's length.
    media_.Open(Path("short.mp3"));
    EXPECT_NEAR(media_.Duration(), ShortToneSeconds, 0.1);
    EXPECT_LT(media_.CurrentPosition(), 1.0);
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
}

TEST_F(MpvMediaControlTest, TheFirstFileIsLoadedWhenOpenReturns) {
    media_.Open(Path("tone.mp3"));
    EXPECT_NEAR(media_.Duration(), ToneSeconds, 0.1);
    EXPECT_NE(media_.CurrentPosition(), media_.Duration());
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
}

TEST_F(MpvMediaControlTest, NaturalEndReadsTheDurationExactlyUntilMoved) {
    OpenLoaded("short.mp3");
    ASSERT_TRUE(WaitForEnd());
    const double duration = media_.Duration();
    EXPECT_NEAR(duration, ShortToneSeconds, 0.1);
    EXPECT_EQ(media_.PlayState(), MpvMediaControl::PlayStateEnded);

    Pass(300ms);
    media_.Play();  // nothing left to play: the end holds
    Pass(200ms);
    EXPECT_EQ(media_.CurrentPosition(), duration);
    EXPECT_EQ(media_.Duration(), duration);

    media_.SetCurrentPosition(duration - 0.5);
    EXPECT_NE(media_.CurrentPosition(), media_.Duration());
    EXPECT_TRUE(WaitUntil([&] { return media_.PlayState() == PlayStatePlaying; }));
    EXPECT_TRUE(WaitForEnd()) << "a second run to the end ends again";
    EXPECT_EQ(media_.CurrentPosition(), duration);

    // What the playlist does next: the file opened after an end plays by itself.
    OpenLoaded("tone.mp3");
    EXPECT_TRUE(WaitForPosition(0.2));
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
}

TEST_F(MpvMediaControlTest, PauseHoldsThePositionAndPlayGoesOnFromIt) {
    OpenLoaded("tone.mp3");
    ASSERT_TRUE(WaitForPosition(0.4));
    media_.Pause();
    const double held = media_.CurrentPosition();
    EXPECT_EQ(media_.PlayState(), MpvMediaControl::PlayStatePaused);
    Pass(400ms);
    EXPECT_NEAR(media_.CurrentPosition(), held, 0.05);

    media_.Play();
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
    ASSERT_TRUE(WaitUntil([&] { return media_.CurrentPosition() > held + 0.05; }));
    EXPECT_LT(media_.CurrentPosition(), held + 0.5) << "play did not go on from the pause";
}

TEST_F(MpvMediaControlTest, StopRewindsKeepsTheFileAndPlayStartsFromZero) {
    OpenLoaded("tone.mp3");
    ASSERT_TRUE(WaitForPosition(0.6));
    media_.Stop();
    EXPECT_EQ(media_.CurrentPosition(), 0);
    EXPECT_NE(media_.PlayState(), PlayStatePlaying);
    Pass(300ms);
    EXPECT_EQ(media_.CurrentPosition(), 0);
    EXPECT_NEAR(media_.Duration(), ToneSeconds, 0.1);

    media_.Play();
    ASSERT_TRUE(WaitUntil([&] { return media_.CurrentPosition() > 0; }));
    EXPECT_LT(media_.CurrentPosition(), 0.5);
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
}

TEST_F(MpvMediaControlTest, PositionsOutsideTheFileAreSurvived) {
    OpenLoaded("tone.mp3");
    ASSERT_TRUE(WaitForPosition(0.5));
    media_.SetCurrentPosition(-20);
    EXPECT_GE(media_.CurrentPosition(), 0);
    EXPECT_LT(media_.CurrentPosition(), 0.2) << "before the start lands at the start";
    EXPECT_TRUE(WaitForPosition(0.2)) << "playing on from the start";

    media_.SetCurrentPosition(media_.Duration() + 60);
    EXPECT_TRUE(WaitForEnd()) << "past the end lands at the end";
    Pass(300ms);
    EXPECT_EQ(media_.CurrentPosition(), media_.Duration());

    // Leaving the end plays on from where the position was written.
    media_.SetCurrentPosition(1.0);
    ASSERT_TRUE(WaitUntil([&] { return media_.PlayState() == PlayStatePlaying; }));
    EXPECT_NEAR(media_.CurrentPosition(), 1.0, 0.5);
}

TEST_F(MpvMediaControlTest, PositionWrittenWhileOpeningIsWhereTheFileStarts) {
    MpvMediaControl media(NoWait);
    media.Open(Path("short.mp3"));
    ASSERT_TRUE(WaitUntil([&] { return media.Duration() > 0; }));
    media.Open(Path("tone.mp3"));
    media.SetCurrentPosition(1.5);
    EXPECT_EQ(media.CurrentPosition(), 1.5);
    ASSERT_TRUE(WaitUntil([&] { return media.Duration() > ShortToneSeconds + 0.5; }));
    // Wait for a position that mpv itself reports, not the written one echoed back.
    ASSERT_TRUE(WaitUntil([&] { return media.CurrentPosition() != 1.5; }));
    EXPECT_GE(media.CurrentPosition(), 1.5);
    EXPECT_LT(media.CurrentPosition(), 2.5);
    EXPECT_EQ(media.PlayState(), PlayStatePlaying);
}

// In the program nobody calls the control while a file loads; mpv's wakeups, posted to the
// Qt event loop, must apply a position written during the load all the same.
TEST_F(MpvMediaControlTest, EventLoopAppliesThePositionWrittenWhileOpening) {
    int argc = 1;
    char name[] = "test_media";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    MpvMediaControl media(NoWait);
    media.Open(Path("tone.mp3"));
    media.SetCurrentPosition(1.5);
    QTimer::singleShot(1200, &application, &QCoreApplication::quit);
    application.exec();
    // Applied only now, it would read 1.5 (and then just above); applied at load, the tone has
    // meanwhile played on towards its end.
    EXPECT_GT(media.CurrentPosition(), 1.9);
}

TEST_F(MpvMediaControlTest, MuteSilencesWithoutHalting) {
    OpenLoaded("tone.mp3");
    for (const bool mute : {true, false}) {
        media_.SetMute(mute);
        EXPECT_TRUE(WaitForPosition(media_.CurrentPosition() + 0.25)) << "mute " << mute;
        EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
    }
}

TEST_F(MpvMediaControlTest, NothingOpenIsHarmless) {
    media_.SetStartupProperty(0);
    media_.Play();
    media_.Pause();
    media_.SetCurrentPosition(12);
    media_.Stop();
    media_.SetMute(true);
    EXPECT_EQ(media_.Duration(), 0);
    EXPECT_EQ(media_.CurrentPosition(), 0);
    EXPECT_EQ(media_.PlayState(), MpvMediaControl::PlayStateStopped);
}

TEST_F(MpvMediaControlTest, PathsThatCannotBeOpenedRaiseAndLeaveTheSongPlaying) {
    OpenLoaded("tone.mp3");
    const auto raised = [&](const std::string& path) -> forms::ErrorNumber {
        try {
            media_.Open(path);
        } catch (const forms::RuntimeError& error) {
            return error.number();
        }
        ADD_FAILURE() << "no error for " << path;
        return forms::ErrorNumber::InvalidProcedureCall;
    };
    EXPECT_EQ(raised(Path("missing.mp3")), forms::ErrorNumber::FileNotFound);
    EXPECT_EQ(raised(Path("no-such-folder/tone.mp3")), forms::ErrorNumber::PathNotFound);
    EXPECT_EQ(raised(""), forms::ErrorNumber::FileNotFound);
    fs::create_directory(Path("album.mp3"));
    raised(Path("album.mp3"));

    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
    EXPECT_NEAR(media_.Duration(), ToneSeconds, 0.1);
}

TEST_F(MpvMediaControlTest, UnreadableFileRaises) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const std::string locked = Path("locked.mp3");
    fs::copy_file(Path("tone.mp3"), locked, fs::copy_options::overwrite_existing);
    ASSERT_EQ(chmod(locked.c_str(), 0), 0);
    EXPECT_THROW(media_.Open(locked), forms::RuntimeError);
}

// Files that exist and can be read but hold no sound. Open raises for them, as it does for a
// missing file, and the control then plays a real file as if nothing had happened.
struct BadFile {
    std::string name;
    std::string bytes;
};
void PrintTo(const BadFile& file, std::ostream* out) { *out << file.name; }

class NotMediaTest : public MpvMediaControlTest, public testing::WithParamInterface<BadFile> {
protected:
    std::string MakeBad() {
        const std::string path = Path("bad.mp3");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << GetParam().bytes;
        return path;
    }
};

TEST_P(NotMediaTest, OpenRaisesAndTheNextFilePlays) {
    const std::string path = MakeBad();
    OpenLoaded("tone.mp3");
    try {
        media_.Open(path);
        ADD_FAILURE() << "Open took a file with nothing to play";
    } catch (const forms::RuntimeError& error) {
        EXPECT_EQ(error.number(), forms::ErrorNumber::AutomationError) << error.what();
    }
    // Nothing plays on: the file before it was replaced.
    EXPECT_EQ(media_.PlayState(), MpvMediaControl::PlayStateStopped);
    EXPECT_EQ(media_.Duration(), 0);
    EXPECT_EQ(media_.CurrentPosition(), 0);
    media_.SetCurrentPosition(1);
    media_.Play();
    EXPECT_NE(media_.PlayState(), PlayStatePlaying);

    media_.Open(Path("short.mp3"));
    EXPECT_NEAR(media_.Duration(), ShortToneSeconds, 0.1);
    EXPECT_EQ(media_.PlayState(), PlayStatePlaying);
    EXPECT_TRUE(WaitForPosition(0.2));
}

// Still loading when Open gave up waiting, the file fails later: it then reads as a file of no
// length, which the playback tick moves on from.
TEST_P(NotMediaTest, FailingAfterTheWaitReadsAsNoLength) {
    MpvMediaControl media(NoWait);
    media.Open(MakeBad());
    EXPECT_TRUE(WaitUntil([&] { return media.PlayState() == MpvMediaControl::PlayStateStopped; }));
    for (int check = 0; check < 10; ++check) {
        EXPECT_EQ(media.Duration(), 0);
        EXPECT_EQ(media.CurrentPosition(), 0);
        media.SetCurrentPosition(1);
        Pass(30ms);
    }
    media.Play();
    EXPECT_NE(media.PlayState(), PlayStatePlaying);
    media.Open(Path("short.mp3"));
    ASSERT_TRUE(WaitUntil([&] { return media.Duration() > 0; }));
    EXPECT_EQ(media.PlayState(), PlayStatePlaying);
}

// The program's event loop, for the tests of what the control posts to it.
class WithEventLoop {
public:
    WithEventLoop() : application_(argc_, argv_) {}
    static void Run() { QCoreApplication::processEvents(); }

private:
    int argc_ = 1;
    char name_[11] = "test_media";
    char* argv_[2] = {name_, nullptr};
    QCoreApplication application_;
};

// A file refused after Open has returned is told of through the notice: from the event loop,
// never inside a call, and not once another file has been opened.
TEST_F(MpvMediaControlTest, ALateRefusalIsNoticedFromTheEventLoopUnlessAnotherFileFollowed) {
    WithEventLoop loop;
    const std::string bad = Path("lyrics.mp3");
    std::ofstream(bad) << "These are the lyrics.\n";
    MpvMediaControl media(NoWait);
    int notices = 0;
    const auto openRefusedMeanwhile = [&] {
        media.Open(bad);
        media.WhenLoadFails([&] { ++notices; });
        Pass(300ms);  // mpv refuses it; the control has not heard of it yet
    };

    openRefusedMeanwhile();
    EXPECT_EQ(media.PlayState(), MpvMediaControl::PlayStateStopped);
    EXPECT_EQ(notices, 0) << "the notice came inside a call";
    loop.Run();
    EXPECT_EQ(notices, 1);

    openRefusedMeanwhile();
    media.Open(Path("short.mp3"));
    loop.Run();
    EXPECT_EQ(notices, 1) << "told of a file the user had moved on from";
}

// libmpv takes over seven seconds to refuse this file. Past the loading limit the control gives
// up on it without a notice, and the next file plays once mpv has let go of it, which takes mpv
// up to a couple of seconds that do not count against that file's own limit.
TEST_F(MpvMediaControlTest, AFileThatDoesNotLoadInTimeIsGivenUpOnAndReported) {
    WithEventLoop loop;
    const std::string bad = Path("headers.mp3");
    ASSERT_TRUE(support::WriteSlowBadFile(bad, support::SlowBadFile::FrameHeaders));
    MpvOptions options{"null"};
    options.loadingLimit = 3s;
    MpvMediaControl media(options);
    int notices = 0;
    media.Open(bad);
    media.WhenLoadFails([&] { ++notices; });
    EXPECT_EQ(media.PlayState(), PlayStateOpening);

    EXPECT_TRUE(WaitUntil([&] {
        loop.Run();
        return media.PlayState() != PlayStateOpening;
    }));
    EXPECT_EQ(media.PlayState(), MpvMediaControl::PlayStateStopped);
    EXPECT_EQ(media.Duration(), 0);
    EXPECT_EQ(media.CurrentPosition(), 0);

    media.Open(Path("short.mp3"));
    EXPECT_TRUE(WaitUntil([&] {
        loop.Run();
        return media.Duration() > 0;
    }));
    EXPECT_EQ(media.PlayState(), PlayStatePlaying);
    EXPECT_EQ(notices, 1);
}

std::string RandomBytes(std::size_t count) {
    std::mt19937 draw(7);  // fixed, so that a failure can be looked at again
    std::string bytes(count, '\0');
    for (char& b : bytes)
        b = static_cast<char>(draw() & 0xFF);
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, NotMediaTest,
    testing::Values(BadFile{"ZeroBytes", ""}, BadFile{"Text", "These are the lyrics.\n"},
                    BadFile{"RandomBytes", RandomBytes(48 * 1024)},
                    BadFile{"TagWithoutAudio",
                            std::string("ID3\x03\0\0\0\0\0\x0a", 10) + "garbage"}),
    [](const testing::TestParamInfo<BadFile>& info) { return info.param.name; });

} // namespace
} // namespace media

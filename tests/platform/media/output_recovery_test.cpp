// Finding a sound server that listens again, and when to have libmpv reopen its output.
#include "platform/media/output_recovery.h"
#include "support/test_tools.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <memory>

namespace media {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using support::ScopedEnv;

// A unix socket that listens at PATH while the object lives, and leaves its file behind, as a
// server that dies does.
class Listener {
public:
    explicit Listener(const std::string& path) : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        bound_ = fd_ >= 0 &&
                 ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                 ::listen(fd_, 4) == 0;
    }
    ~Listener() { Close(); }
    bool Bound() const { return bound_; }
    void Close() {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
    bool bound_ = false;
};

class SoundServerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/corvessa-sound.XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        folder_ = pattern;
        // Nothing of the machine's own sound set-up may answer for the test.
        env_.push_back(std::make_unique<ScopedEnv>("PULSE_SERVER", ""));
        env_.push_back(std::make_unique<ScopedEnv>("PULSE_RUNTIME_PATH", ""));
        env_.push_back(std::make_unique<ScopedEnv>("PIPEWIRE_REMOTE", ""));
        env_.push_back(std::make_unique<ScopedEnv>("PIPEWIRE_RUNTIME_DIR", ""));
        env_.push_back(std::make_unique<ScopedEnv>("XDG_RUNTIME_DIR", folder_));
    }
    void TearDown() override {
        // Last set, first put back, so that each variable ends as it was.
        while (!env_.empty())
            env_.pop_back();
        fs::remove_all(folder_);
    }
    void Set(const std::string& name, const std::string& value) {
        env_.push_back(std::make_unique<ScopedEnv>(name, value));
    }
    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::string folder_;
    std::vector<std::unique_ptr<ScopedEnv>> env_;
};

TEST_F(SoundServerTest, ListensOnlyWhileSomebodyListensAtTheSocket) {
    Set("PULSE_SERVER", "unix:" + Path("native"));
    EXPECT_FALSE(SoundServerListens());
    Listener server(Path("native"));
    ASSERT_TRUE(server.Bound());
    EXPECT_TRUE(SoundServerListens());

    // A server that died leaves its socket file behind; nobody answers there.
    server.Close();
    ASSERT_TRUE(fs::exists(Path("native")));
    EXPECT_FALSE(SocketListens(Path("native")));
    EXPECT_FALSE(SoundServerListens());

    // A server elsewhere on the network cannot be checked here, so it may be back.
    Set("PULSE_SERVER", "tcp:elsewhere:4713");
    EXPECT_TRUE(SoundServerListens());
}

TEST_F(SoundServerTest, AddressesComeFromTheEnvironmentAsAClientTakesThem) {
    std::vector<std::string> expected = {Path("pulse/native"), "/var/run/pulse/native",
                                         Path("pipewire-0")};
    EXPECT_EQ(SoundServerSockets(), expected);

    Set("PULSE_SERVER", "unix:/a/native {0123abcd}unix:/b/native /c/native tcp:elsewhere");
    Set("PIPEWIRE_REMOTE", "/own/pipewire");
    expected = {"/a/native", "/b/native", "/c/native", "", "/own/pipewire"};
    EXPECT_EQ(SoundServerSockets(), expected);
}

// The recovery with libmpv's output and the server scripted, on a clock of its own.
class OutputRecoveryTest : public ::testing::Test {
protected:
    using Clock = OutputRecovery::Clock;

    bool Look(std::chrono::milliseconds at, bool opening = false) {
        return recovery_.ShouldReload(opening, Clock::time_point{} + 1h + at);
    }

    std::string output_ = "null";
    bool listens_ = true;
    int outputReads_ = 0;
    int serverChecks_ = 0;
    OutputRecovery recovery_{[this] { return ++outputReads_, output_; },
                             [this] { return ++serverChecks_, listens_; }};
};

TEST_F(OutputRecoveryTest, SilentOutputIsReopenedOnceTheServerListens) {
    listens_ = false;
    EXPECT_FALSE(Look(0ms));
    EXPECT_FALSE(Look(500ms));
    EXPECT_FALSE(Look(1000ms));
    EXPECT_EQ(serverChecks_, 2);

    listens_ = true;
    EXPECT_FALSE(Look(1500ms));
    EXPECT_TRUE(Look(2000ms));
    // libmpv is given time to reopen it, and no output at all (the reload under way) neither
    // reloads nor counts as a device that played.
    EXPECT_FALSE(Look(4000ms));
    output_ = "";
    EXPECT_FALSE(Look(5000ms));
    output_ = "null";
    EXPECT_TRUE(Look(6000ms));
    EXPECT_FALSE(Look(11000ms));
    EXPECT_TRUE(Look(12000ms));
}

TEST_F(OutputRecoveryTest, RetriesComeLessOftenUntilADevicePlays) {
    const std::chrono::milliseconds expected[] = {0ms, 3s, 9s, 21s, 45s, 93s, 153s, 213s};
    std::vector<std::chrono::milliseconds> reloads;
    for (auto at = 0ms; at <= 213s; at += 250ms)
        if (Look(at))
            reloads.push_back(at);
    EXPECT_EQ(reloads, std::vector(std::begin(expected), std::end(expected)));

    // Once a device has played, the next loss starts from the first retry again.
    output_ = "pulse";
    EXPECT_FALSE(Look(300s));
    output_ = "null";
    EXPECT_TRUE(Look(301s));
    EXPECT_FALSE(Look(303s));
    EXPECT_TRUE(Look(304s));
}

TEST_F(OutputRecoveryTest, OpeningReloadsWithoutWaitingForTheNextLook) {
    output_ = "pulse";
    EXPECT_FALSE(Look(0ms, true));
    EXPECT_EQ(serverChecks_, 0);
    output_ = "null";

    EXPECT_TRUE(Look(1000ms));
    EXPECT_TRUE(Look(1100ms, true));
    EXPECT_TRUE(Look(1200ms, true));

    listens_ = false;
    EXPECT_FALSE(Look(1300ms, true));
    listens_ = true;
    output_ = "alsa";
    EXPECT_FALSE(Look(1400ms, true));
}

} // namespace
} // namespace media

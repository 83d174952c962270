// The ALSA mixer against a real PulseAudio server with a null sink, started for this suite by
// tests/tools/pulse_server.sh. ALSA's "default" reaches that server through the pulse plugin,
// so the sink's volume, read back with pactl, shows what the mixer really did.
#include "platform/mixer/alsa_mixer.h"
#include "support/fake_mixer.h"
#include "support/pulse_server.h"

#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mixer {
namespace {

// What a forked child did: its results and everything it wrote to stderr.
struct ChildOutcome {
    bool exitedCleanly = false;
    std::vector<int> results;
    std::string stderrText;
};

// Runs body in a child process with stderr captured, so a test can change the environment and
// ALSA's cached config without disturbing the rest of the suite, and survive a crash.
ChildOutcome RunInChild(const std::function<std::vector<int>()>& body) {
    ChildOutcome outcome;
    int errPipe[2];
    int resultPipe[2];
    if (pipe(errPipe) != 0) return outcome;
    if (pipe(resultPipe) != 0) {
        close(errPipe[0]);
        close(errPipe[1]);
        return outcome;
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        close(errPipe[0]);
        close(resultPipe[0]);
        dup2(errPipe[1], STDERR_FILENO);
        close(errPipe[1]);
        const std::vector<int> results = body();
        std::fflush(stderr);
        const ssize_t size = static_cast<ssize_t>(results.size() * sizeof(int));
        const bool written = write(resultPipe[1], results.data(), size) == size;
        _exit(written ? 0 : 1);
    }
    close(errPipe[1]);
    close(resultPipe[1]);
    if (pid > 0) {
        char buffer[4096];
        ssize_t read = 0;
        while ((read = ::read(errPipe[0], buffer, sizeof buffer)) > 0) {
            outcome.stderrText.append(buffer, static_cast<size_t>(read));
        }
        int value = 0;
        while (::read(resultPipe[0], &value, sizeof value) == sizeof value) {
            outcome.results.push_back(value);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        outcome.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    close(errPipe[0]);
    close(resultPipe[0]);
    return outcome;
}

class AlsaMixerOnPulse : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The environment must be in place before this process's first ALSA call: ALSA decides
        // once, when it first reads its config, whether "default" goes to PulseAudio.
        pulse = std::make_unique<support::PulseServer>("mixer");
        serverUp = pulse->Up();
    }

    static void TearDownTestSuite() { pulse.reset(); }

    void SetUp() override { ASSERT_TRUE(serverUp) << "the PulseAudio test server did not start"; }

    // The sink's raw volume per channel, as pactl shows it (65536 is 100 %).
    static std::vector<long> SinkVolume() { return pulse->SinkVolume(); }

    // Gives the channels different volumes, so a set that missed one channel shows.
    static void SetSinkVolume(long left, long right) {
        ASSERT_EQ(pulse->SetSinkVolume(left, right), 0);
    }

    static std::string DeadServer() { return pulse->DeadServer(); }

    struct Speakers {
        uint32_t lineId = 0;
        MixerControl volume;
    };

    // The lookup as the player makes it; fails the test if it does not succeed.
    static Speakers LookUpSpeakers(AlsaMixer& alsa) {
        Speakers speakers;
        EXPECT_EQ(alsa.GetLineInfo(0, ComponentTypeSpeakers, speakers.lineId), AlsaMixer::Ok);
        EXPECT_EQ(alsa.GetLineControl(0, speakers.lineId, ControlTypeVolume, speakers.volume),
                  AlsaMixer::Ok);
        return speakers;
    }

    static inline std::unique_ptr<support::PulseServer> pulse;
    static inline bool serverUp = false;
    AlsaMixer alsa;
};

TEST_F(AlsaMixerOnPulse, FindsTheSpeakersVolumeWithPulseAudiosRange) {
    uint32_t lineId = 0;
    ASSERT_EQ(alsa.GetLineInfo(0, ComponentTypeSpeakers, lineId), AlsaMixer::Ok);
    EXPECT_NE(lineId, 0u);

    MixerControl control;
    ASSERT_EQ(alsa.GetLineControl(0, lineId, ControlTypeVolume, control), AlsaMixer::Ok);
    EXPECT_NE(control.dwControlID, 0u);
    EXPECT_EQ(control.dwControlType, ControlTypeVolume);
    // The pulse plugin's "Master" runs from muted to PulseAudio's 100 % (PA_VOLUME_NORM).
    EXPECT_EQ(control.lMinimum, 0);
    EXPECT_EQ(control.lMaximum, 65536);

    // The player looks up once and keeps the ids; a second lookup must agree.
    uint32_t lineAgain = 0;
    MixerControl controlAgain;
    ASSERT_EQ(alsa.GetLineInfo(0, ComponentTypeSpeakers, lineAgain), AlsaMixer::Ok);
    ASSERT_EQ(alsa.GetLineControl(0, lineAgain, ControlTypeVolume, controlAgain), AlsaMixer::Ok);
    EXPECT_EQ(lineAgain, lineId);
    EXPECT_EQ(controlAgain.dwControlID, control.dwControlID);
}

TEST_F(AlsaMixerOnPulse, LookupsOfAnythingElseFailAndLeaveTheCallersValuesAlone) {
    const Speakers found = LookUpSpeakers(alsa);
    const uint32_t speakers = found.lineId;
    const uint32_t volumeId = found.volume.dwControlID;

    constexpr uint32_t untouched = 0xDEAD;
    struct LineCase {
        const char* what;
        uint32_t device;
        uint32_t componentType;
    };
    for (const LineCase& c : {LineCase{"second device", 1, ComponentTypeSpeakers},
                              LineCase{"last device", 0xFFFFFFFF, ComponentTypeSpeakers},
                              LineCase{"no component", 0, 0},
                              LineCase{"headphones", 5, 5},
                              LineCase{"microphone source", 0, 0x1003}}) {
        SCOPED_TRACE(c.what);
        uint32_t lineId = untouched;
        EXPECT_NE(alsa.GetLineInfo(c.device, c.componentType, lineId), AlsaMixer::Ok);
        EXPECT_EQ(lineId, untouched);
    }

    // The player tells a failed control lookup by the control id staying 0.
    struct ControlCase {
        const char* what;
        uint32_t device;
        uint32_t lineId;
        uint32_t controlType;
    };
    for (const ControlCase& c : {ControlCase{"second device", 1, speakers, ControlTypeVolume},
                                 ControlCase{"line 0", 0, 0, ControlTypeVolume},
                                 ControlCase{"control id as line", 0, volumeId, ControlTypeVolume},
                                 ControlCase{"unknown line", 0, 0xFFFFFFFF, ControlTypeVolume},
                                 ControlCase{"mute control", 0, speakers, 0x20010002},
                                 ControlCase{"no control type", 0, speakers, 0}}) {
        SCOPED_TRACE(c.what);
        MixerControl control;
        EXPECT_NE(alsa.GetLineControl(c.device, c.lineId, c.controlType, control), AlsaMixer::Ok);
        EXPECT_EQ(control.dwControlID, 0u);
        EXPECT_EQ(control.lMaximum, 0);
    }
}

TEST_F(AlsaMixerOnPulse, SettingTheVolumeSetsEveryChannelOfTheSink) {
    const MixerControl control = LookUpSpeakers(alsa).volume;
    ASSERT_NE(control.dwControlID, 0u);

    struct Case {
        uint32_t value;
        long shown;
    };
    // 65534 is the player's loudest step (twice the top of a 16-bit slider). Values past the
    // range end at its top, including those that would turn negative as a signed 32-bit value.
    for (const Case& c : {Case{65534, 65534}, Case{0, 0}, Case{1, 1}, Case{32768, 32768},
                          Case{65536, 65536}, Case{65537, 65536}, Case{131070, 65536},
                          Case{0xFFFFFFFF, 65536}}) {
        SCOPED_TRACE(c.value);
        SetSinkVolume(1000, 2000);
        EXPECT_EQ(alsa.SetControlDetails(0, control.dwControlID, c.value), AlsaMixer::Ok);
        EXPECT_EQ(SinkVolume(), (std::vector<long>{c.shown, c.shown}));
    }
}

// Points this process's ALSA at another config file until destroyed. It cannot be done in a
// forked child: libpulse refuses to work in one.
class AlsaConfigOverride {
public:
    explicit AlsaConfigOverride(const std::filesystem::path& file) {
        setenv("ALSA_CONFIG_PATH", file.c_str(), 1);
        snd_config_update_free_global();
    }
    ~AlsaConfigOverride() {
        unsetenv("ALSA_CONFIG_PATH");
        snd_config_update_free_global();
    }
    AlsaConfigOverride(const AlsaConfigOverride&) = delete;
    AlsaConfigOverride& operator=(const AlsaConfigOverride&) = delete;
};

// Some cards name the element behind "Master" differently ("Master Volume"); here ALSA's remap
// plugin renames the pulse plugin's one. The lookups find the line as before, so a change must
// still reach the sink, clamped like any other.
TEST_F(AlsaMixerOnPulse, AVolumeElementUnderAnotherNameIsStillSet) {
    const std::filesystem::path config = std::filesystem::path(pulse->Folder()) / "renamed.conf";
    std::ofstream(config) << R"(ctl.default {
        type remap
        child { type pulse }
        remap { "name='Master Playback Volume'" "name='Master Volume'" }
    })";
    SetSinkVolume(1000, 2000);

    const AlsaConfigOverride renamed(config);
    const Speakers speakers = LookUpSpeakers(alsa);
    EXPECT_EQ(speakers.volume.lMaximum, 65536);
    EXPECT_EQ(alsa.SetControlDetails(0, speakers.volume.dwControlID, 70000), AlsaMixer::Ok);
    EXPECT_EQ(SinkVolume(), (std::vector<long>{65536, 65536}));
}

TEST_F(AlsaMixerOnPulse, BadControlIdsFailAndLeaveTheSinkAlone) {
    const Speakers found = LookUpSpeakers(alsa);
    const uint32_t lineId = found.lineId;
    const uint32_t volumeId = found.volume.dwControlID;
    SetSinkVolume(12345, 12345);

    struct Case {
        const char* what;
        uint32_t device;
        uint32_t controlId;
    };
    for (const Case& c : {Case{"failed lookup", 0, 0}, Case{"a line id", 0, lineId},
                          Case{"all bits", 0, 0xFFFFFFFF}, Case{"complement", 0, ~volumeId},
                          Case{"shifted", 0, volumeId << 8}, Case{"second device", 1, volumeId}}) {
        SCOPED_TRACE(c.what);
        EXPECT_NE(alsa.SetControlDetails(c.device, c.controlId, 40000), AlsaMixer::Ok);
    }
    EXPECT_EQ(SinkVolume(), (std::vector<long>{12345, 12345}));
}

// The sound server goes away while the player runs: ALSA already routes "default" to the
// pulse plugin, which now finds nobody.
// libpulse refuses to work in a forked child, so the child stands for a player that cannot
// reach any server, holding ids from an earlier lookup.
TEST_F(AlsaMixerOnPulse, AMixerThatCannotReachTheServerFailsQuietly) {
    const Speakers speakers = LookUpSpeakers(alsa);
    ASSERT_NE(speakers.volume.dwControlID, 0u);

    const ChildOutcome outcome = RunInChild([&] {
        setenv("PULSE_SERVER", DeadServer().c_str(), 1);
        AlsaMixer orphan;
        uint32_t lineId = 0;
        MixerControl control;
        return std::vector<int>{
            orphan.GetLineInfo(0, ComponentTypeSpeakers, lineId),
            orphan.GetLineControl(0, speakers.lineId, ControlTypeVolume, control),
            orphan.SetControlDetails(0, speakers.volume.dwControlID, 40000),
            orphan.SetControlDetails(0, 0, 40000)};
    });

    ASSERT_TRUE(outcome.exitedCleanly);
    EXPECT_EQ(outcome.results, (std::vector<int>{AlsaMixer::Unreachable, AlsaMixer::Unreachable,
                                                 AlsaMixer::Unreachable, AlsaMixer::NoControl}));
    EXPECT_EQ(outcome.stderrText, "");
}

// A player started with no sound server: ALSA reads its config afresh and "default" falls
// back to the first sound card, of which a test machine has none.
TEST_F(AlsaMixerOnPulse, NoServerFromTheStartFailsQuietly) {
    int card = -1;
    if (snd_card_next(&card) == 0 && card >= 0) {
        GTEST_SKIP() << "this machine has a sound card, which answers for \"default\"";
    }
    // Ids as a lookup hands them out; the child uses them as if they had been kept.
    const Speakers speakers = LookUpSpeakers(alsa);

    const ChildOutcome outcome = RunInChild([&] {
        setenv("PULSE_SERVER", DeadServer().c_str(), 1);
        snd_config_update_free_global();
        AlsaMixer fresh;
        uint32_t lineId = 0;
        MixerControl control;
        return std::vector<int>{
            fresh.GetLineInfo(0, ComponentTypeSpeakers, lineId),
            fresh.GetLineControl(0, speakers.lineId, ControlTypeVolume, control),
            fresh.SetControlDetails(0, speakers.volume.dwControlID, 40000),
            fresh.SetControlDetails(0, 0, 40000)};
    });

    ASSERT_TRUE(outcome.exitedCleanly);
    ASSERT_EQ(outcome.results.size(), 4u);
    for (const int result : outcome.results) EXPECT_NE(result, AlsaMixer::Ok);
    EXPECT_EQ(outcome.results[0], AlsaMixer::Unreachable);
    EXPECT_EQ(outcome.stderrText, "");
}

TEST(SystemMixer, AFakeStandsInUntilRemoved) {
    FakeMixer fake;
    SetSystemMixer(&fake);
    EXPECT_EQ(SystemMixer().SetControlDetails(0, fake.volume.dwControlID, 4), 0);
    EXPECT_EQ(fake.ValuesSet(), std::vector<uint32_t>{4});

    SetSystemMixer(nullptr);
    EXPECT_NE(dynamic_cast<AlsaMixer*>(&SystemMixer()), nullptr);
    EXPECT_EQ(fake.calls.size(), 1u);
}

} // namespace
} // namespace mixer

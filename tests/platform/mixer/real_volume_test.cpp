// The speakers volume from the main window down to a real sound server: the window loads and
// looks up the volume control through the ALSA mixer, and the slider's values reach the sink
// of a private PulseAudio server started for this suite by tests/tools/pulse_server.sh.
#include "main_window/form4.h"
#include "platform/mixer/alsa_mixer.h"
#include "support/load_main_window.h"
#include "support/pulse_server.h"
#include "support/window_test.h"
#include "windows/frm_splash.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The real mixer, with every call and its answer written down.
class RecordingMixer final : public mixer::Mixer {
public:
    struct Call {
        std::string function;
        uint32_t controlId = 0;
        uint32_t value = 0;
        int result = 0;
    };

    int GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) override {
        return Record({"GetLineInfo"}, alsa_.GetLineInfo(device, componentType, lineId));
    }
    int GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                       mixer::MixerControl& control) override {
        return Record({"GetLineControl"},
                      alsa_.GetLineControl(device, lineId, controlType, control));
    }
    int SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) override {
        return Record({"SetControlDetails", controlId, value},
                      alsa_.SetControlDetails(device, controlId, value));
    }

    std::vector<Call> calls;

private:
    int Record(Call call, int result) {
        call.result = result;
        calls.push_back(call);
        return result;
    }
    mixer::AlsaMixer alsa_;
};

class RealSpeakersVolume : public support::WindowTest {
protected:
    static void SetUpTestSuite() {
        pulse = std::make_unique<support::PulseServer>("volume");
        if (!pulse->Up()) return;
        // ALSA decides once per process, when it first reads its config, whether "default"
        // goes to PulseAudio: that first read must see the live server, whichever test runs
        // first.
        uint32_t lineId = 0;
        serverUp = mixer::AlsaMixer().GetLineInfo(0, mixer::ComponentTypeSpeakers, lineId) == 0;
    }

    static void TearDownTestSuite() { pulse.reset(); }

    void SetUp() override {
        WindowTest::SetUp();
        ASSERT_TRUE(serverUp) << "the PulseAudio test server did not start";
        mixer::SetSystemMixer(&recorder);
        support::MeasuredScreen("8640", "12000");
    }
    void TearDown() override {
        WindowTest::TearDown();
        mixer::SetSystemMixer(nullptr);
    }

    // The main window, loaded now, with only the slider's timers left to tick.
    static Form4& Load() {
        Form4& f = forms::Default<Form4>();
        f.Load();
        for (forms::Timer* t : {&f.Timer4, &f.Timer5, &f.Timer8}) t->SetEnabled(false);
        return f;
    }

    static std::vector<long> SinkVolume() { return pulse->SinkVolume(); }
    // Different volumes per channel, so a change that missed one shows.
    static void SetSinkVolume(long left, long right) {
        ASSERT_EQ(pulse->SetSinkVolume(left, right), 0);
    }

    // Holds the knob with the cursor far to one side of its track, for one drag tick.
    void DragTo(Form4& f, int cursorX) {
        f.imgVol_MouseDown(1, 0, 0, 0);
        cursor = QPoint(cursorX, 0);
        clock.Advance(10);
        f.imgVol_MouseUp(1, 0, 0, 0);
    }

    static inline std::unique_ptr<support::PulseServer> pulse;
    static inline bool serverUp = false;
    RecordingMixer recorder;
};

TEST_F(RealSpeakersVolume, TheSlidersValuesReachTheSinkDoubled) {
    Form4& f = Load();

    // PulseAudio's "Master" runs to 65536: half of it does not fit the holder, which keeps
    // its own top.
    ASSERT_EQ(recorder.calls.size(), 2u);
    EXPECT_EQ(recorder.calls[1].result, 0);
    EXPECT_NE(f.VolumeControl.dwControlID, 0u);
    EXPECT_EQ(f.VolumeControl.lMinimum, 0);
    EXPECT_EQ(f.VolumeControl.lMaximum, 65536);
    EXPECT_EQ(f.VSvolume.Min(), 0);
    EXPECT_EQ(f.VSvolume.Max(), 32767);
    EXPECT_EQ(f.VSvolume.LargeChange(), 1000);
    EXPECT_EQ(f.VSvolume.SmallChange(), 1000);

    SetSinkVolume(1000, 2000);
    f.VSvolume.SetValue(32767);
    EXPECT_EQ(SinkVolume(), (std::vector<long>{65534, 65534}));
    ASSERT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[2].controlId, f.VolumeControl.dwControlID);
    EXPECT_EQ(recorder.calls[2].result, 0);

    f.VSvolume.SetValue(12345);
    EXPECT_EQ(SinkVolume(), (std::vector<long>{24690, 24690}));

    // And by hand, from the knob: its ends are silence and the loudest step.
    DragTo(f, -100000);
    EXPECT_EQ(SinkVolume(), (std::vector<long>{0, 0}));
    DragTo(f, 100000);
    EXPECT_EQ(SinkVolume(), (std::vector<long>{65534, 65534}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RealSpeakersVolume, WithNoServerTheLookupFailsQuietlyAndChangesStillGoToControlZero) {
    SetSinkVolume(12345, 12345);
    const support::ScopedEnv unreachable("PULSE_SERVER", pulse->DeadServer());
    Form4& f = Load();

    ASSERT_EQ(recorder.calls.size(), 1u) << "no control lookup without a line";
    EXPECT_NE(recorder.calls[0].result, 0);
    EXPECT_EQ(f.VolumeControl.dwControlID, 0u);
    EXPECT_EQ(f.VSvolume.Min(), 0);
    EXPECT_EQ(f.VSvolume.Max(), 32767);
    EXPECT_EQ(f.VSvolume.LargeChange(), 1);
    EXPECT_EQ(f.VSvolume.SmallChange(), 1);

    f.VSvolume.SetValue(32767);
    DragTo(f, -100000);
    ASSERT_EQ(recorder.calls.size(), 3u);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(recorder.calls[i].function, "SetControlDetails");
        EXPECT_EQ(recorder.calls[i].controlId, 0u);
        EXPECT_NE(recorder.calls[i].result, 0);
    }
    EXPECT_EQ(recorder.calls[1].value, 65534u);
    EXPECT_EQ(recorder.calls[2].value, 0u);
    EXPECT_EQ(f.VSvolume.Value(), 0) << "the slider went on as if the mixer had taken it";
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(SinkVolume(), (std::vector<long>{12345, 12345})) << "the live server untouched";
}

} // namespace

// The speakers volume against a scripted mixer: the lookup the main window's load makes, the
// holder's range it derives, and what every change of the holder sends.
#include "engine/module1.h"
#include "main_window/form4.h"
#include "support/fake_mixer.h"
#include "support/load_main_window.h"
#include "support/window_test.h"
#include "windows/frm_splash.h"

#include <cstdint>
#include <vector>

namespace {

using mixer::FakeMixer;
using Function = FakeMixer::Function;

// A mixer that finds the line, then half fills the control record and still fails.
class ScribblingMixer final : public mixer::Mixer {
public:
    int GetLineInfo(uint32_t, uint32_t, uint32_t& lineId) override {
        lineId = 1;
        return 0;
    }
    int GetLineControl(uint32_t, uint32_t, uint32_t, mixer::MixerControl& control) override {
        control = mixer::MixerControl{9, 9, 9, 9};
        return 1;
    }
    int SetControlDetails(uint32_t, uint32_t, uint32_t) override { return 1; }
};

class SpeakersVolume : public support::WindowTest {
protected:
    // A fresh main window, loaded against the mixer as the fake now stands; the load makes the
    // lookup. The splash holds the measured screen the load sizes the window from.
    Form4& Load() {
        forms::ResetDefaultInstances();
        support::MeasuredScreen("8640", "12000");
        Form4& f = forms::Default<Form4>();
        f.Load();
        return f;
    }

    FakeMixer& fake = mixers;
};

// The volume control as the fake hands it out, compared field by field.
void ExpectControl(const mixer::MixerControl& actual, const mixer::MixerControl& expected) {
    EXPECT_EQ(actual.dwControlID, expected.dwControlID);
    EXPECT_EQ(actual.dwControlType, expected.dwControlType);
    EXPECT_EQ(actual.lMinimum, expected.lMinimum);
    EXPECT_EQ(actual.lMaximum, expected.lMaximum);
}

TEST_F(SpeakersVolume, TheStandardFaderGivesHalfItsRangeAndEveryValueIsSentDoubled) {
    Form4& f = Load();

    ASSERT_EQ(fake.calls.size(), 2u) << "one line lookup, one control lookup, nothing sent";
    EXPECT_EQ(fake.calls[0].function, Function::GetLineInfo);
    EXPECT_EQ(fake.calls[0].device, 0u);
    EXPECT_EQ(fake.calls[0].componentType, 4u);
    EXPECT_EQ(fake.calls[1].function, Function::GetLineControl);
    EXPECT_EQ(fake.calls[1].device, 0u);
    EXPECT_EQ(fake.calls[1].lineId, fake.speakersLineId) << "the line the first call found";
    EXPECT_EQ(fake.calls[1].controlType, 0x50030001u);
    ExpectControl(f.VolumeControl, fake.volume);

    EXPECT_EQ(f.VSvolume.Min(), 0);
    EXPECT_EQ(f.VSvolume.Max(), 32767);
    EXPECT_EQ(f.VSvolume.LargeChange(), 1000);
    EXPECT_EQ(f.VSvolume.SmallChange(), 1000);
    EXPECT_EQ(f.VSvolume.Value(), 0);

    // Every value the holder can take, once each, ending at its top and back at 0.
    fake.calls.clear();
    for (int v = 1; v <= 32767; ++v) f.VSvolume.SetValue(static_cast<int16_t>(v));
    f.VSvolume.SetValue(0);
    const std::vector<uint32_t> sent = fake.ValuesSet();
    ASSERT_EQ(sent.size(), 32768u);
    for (size_t i = 0; i + 1 < sent.size(); ++i) {
        ASSERT_EQ(sent[i], 2 * (i + 1)) << "holder value " << i + 1;
    }
    EXPECT_EQ(sent[32766], 65534u) << "the top of the holder";
    EXPECT_EQ(sent.back(), 0u);
    for (const auto& call : fake.calls) {
        ASSERT_EQ(call.device, 0u);
        ASSERT_EQ(call.controlId, fake.volume.dwControlID);
    }
    EXPECT_EQ(fake.Count(Function::GetLineInfo), 0) << "the control is never looked up again";
}

TEST_F(SpeakersVolume, TheMaximumIsHalvedTowardZeroAndABoundPast16BitsKeepsItsDefault) {
    struct Case {
        int32_t lMinimum, lMaximum;
        int16_t min, max;
    };
    for (const Case& c : {Case{0, 65535, 0, 32767},        // odd: halved downward
                          Case{0, -3, 0, -1},              // negative: toward zero, not -2
                          Case{0, 1, 0, 0},
                          Case{-100, 200, -100, 100},
                          Case{-32768, -65535, -32768, -32767},
                          Case{0, 65536, 0, 32767},        // 32768 does not fit: default kept
                          Case{0, -65538, 0, 32767},       // -32769 does not fit either
                          Case{-32769, 65535, 0, 32767},   // the minimum alone is skipped
                          Case{70000, 70000, 0, 32767}}) { // both skipped
        SCOPED_TRACE(testing::Message() << c.lMinimum << ".." << c.lMaximum);
        fake.volume.lMinimum = c.lMinimum;
        fake.volume.lMaximum = c.lMaximum;
        Form4& f = Load();
        EXPECT_EQ(f.VSvolume.Min(), c.min);
        EXPECT_EQ(f.VSvolume.Max(), c.max);
        // The change steps come after the bounds and are set whatever became of them.
        EXPECT_EQ(f.VSvolume.LargeChange(), 1000);
        EXPECT_EQ(f.VSvolume.SmallChange(), 1000);
        ExpectControl(f.VolumeControl, fake.volume);
    }
}

TEST_F(SpeakersVolume, WithoutASpeakersLineNothingMoreIsAskedAndChangesGoToControlZero) {
    fake.hasSpeakersLine = false;
    Form4& f = Load();

    ASSERT_EQ(fake.calls.size(), 1u) << "no control lookup after the line was not found";
    EXPECT_EQ(fake.calls[0].function, Function::GetLineInfo);
    ExpectControl(f.VolumeControl, mixer::MixerControl{});
    EXPECT_EQ(f.VSvolume.Min(), 0);
    EXPECT_EQ(f.VSvolume.Max(), 32767);
    EXPECT_EQ(f.VSvolume.LargeChange(), 1);
    EXPECT_EQ(f.VSvolume.SmallChange(), 1);

    // Still sent, to control 0, which the mixer refuses without anyone being told.
    f.VSvolume.SetValue(32767);
    ASSERT_EQ(fake.Count(Function::SetControlDetails), 1);
    EXPECT_EQ(fake.calls.back().controlId, 0u);
    EXPECT_EQ(fake.calls.back().value, 65534u);
    EXPECT_EQ(f.VSvolume.Value(), 32767);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SpeakersVolume, ALineWithoutAVolumeControlLeavesTheRecordAndTheRangeAlone) {
    fake.hasVolumeControl = false;
    Form4& f = Load();

    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[1].function, Function::GetLineControl);
    ExpectControl(f.VolumeControl, mixer::MixerControl{});
    EXPECT_EQ(f.VSvolume.Max(), 32767);
    EXPECT_EQ(f.VSvolume.LargeChange(), 1);

    // Even a mixer that scribbles on the record before it fails leaves the caller's alone.
    ScribblingMixer scribbler;
    mixer::SetSystemMixer(&scribbler);
    const mixer::MixerControl kept{0xBEEF, 1, 2, 3};
    mixer::MixerControl control = kept;
    EXPECT_FALSE(Module1::LookupVolumeControl(0, 4, 0x50030001, control));
    ExpectControl(control, kept);
}

TEST_F(SpeakersVolume, TheSetReportsTheMixersAnswerAndTheChangeHandlerIgnoresIt) {
    Form4& f = Load();
    EXPECT_TRUE(f.SetMixerVolume(0, f.VolumeControl, 40000));
    EXPECT_FALSE(f.SetMixerVolume(0, mixer::MixerControl{}, 40000)) << "no such control";
    f.SetMixerVolume(0, f.VolumeControl, -2);
    EXPECT_EQ(fake.calls.back().value, 0xFFFFFFFEu) << "the value travels as its 32 bits";

    // A refused change is dropped quietly; the holder keeps the new value.
    fake.setResult = 7;
    fake.calls.clear();
    f.VSvolume.SetValue(300);
    EXPECT_EQ(fake.ValuesSet(), (std::vector<uint32_t>{600}));
    EXPECT_EQ(f.VSvolume.Value(), 300);
    EXPECT_TRUE(messages.shown.empty());
}

} // namespace

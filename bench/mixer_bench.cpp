// How long one volume change takes through the ALSA mixer, on a private PulseAudio server
// started with tests/tools/pulse_server.sh. The player sends one change per slider step, so a
// change should stay well under a millisecond.
//
//   mixer_bench [COUNT]      (CORVESSA_TEST_TOOLS names the folder of pulse_server.sh)
//
// Prints mean, median and p99 of AlsaMixer::SetControlDetails, then the same figures for each
// step of the open-info-write-close cycle it goes through, to show where the time goes, and for
// the simple mixer's cycle that a change used to cost.
#include "platform/mixer/alsa_mixer.h"
#include "support/pulse_server.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::micro>(duration).count();
}

void Report(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) /
                        static_cast<double>(samples.size());
    const double median = samples[samples.size() / 2];
    const double p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    std::printf("%-34s mean %8.1f us   median %8.1f us   p99 %8.1f us   (n=%zu)\n", what, mean,
                median, p99, samples.size());
}

// The values the player would send while a slider is dragged from one end to the other.
uint32_t SliderValue(int step) { return static_cast<uint32_t>(2 * ((step * 331) % 32768)); }

int MeasureSetControlDetails(int count) {
    mixer::AlsaMixer alsa;
    uint32_t lineId = 0;
    mixer::MixerControl control;
    if (alsa.GetLineInfo(0, mixer::ComponentTypeSpeakers, lineId) != 0 ||
        alsa.GetLineControl(0, lineId, mixer::ControlTypeVolume, control) != 0) {
        std::fprintf(stderr, "the speakers volume was not found\n");
        return 1;
    }
    std::printf("volume control %#x, range %d..%d\n", control.dwControlID, control.lMinimum,
                control.lMaximum);
    for (int i = 0; i < 20; ++i) alsa.SetControlDetails(0, control.dwControlID, SliderValue(i));

    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(count));
    int failures = 0;
    for (int i = 0; i < count; ++i) {
        const uint32_t value = SliderValue(i);
        const auto start = Clock::now();
        failures += alsa.SetControlDetails(0, control.dwControlID, value) != 0 ? 1 : 0;
        samples.push_back(Microseconds(Clock::now() - start));
    }
    Report("SetControlDetails", samples);
    if (failures != 0) std::printf("%d of %d changes failed\n", failures, count);
    return failures != 0 ? 1 : 0;
}

struct ControlIds {
    snd_ctl_elem_id_t* id = nullptr;
    snd_ctl_elem_info_t* info = nullptr;
    snd_ctl_elem_value_t* value = nullptr;
};

// Fills values with step's slider value on every channel the info names.
void FillValues(const ControlIds& ids, int step) {
    snd_ctl_elem_value_set_id(ids.value, ids.id);
    const unsigned int channels = snd_ctl_elem_info_get_count(ids.info);
    for (unsigned int channel = 0; channel < channels; ++channel) {
        snd_ctl_elem_value_set_integer(ids.value, channel, SliderValue(step));
    }
}

// The same cycle as the mixer's, timed step by step: each step costs the PulseAudio plugin
// round trips to the server (connect + server info + subscribe; two info queries; two more and
// the set), so these show where the time goes.
void MeasureSteps(int count) {
    ControlIds ids;
    snd_ctl_elem_id_alloca(&ids.id);
    snd_ctl_elem_id_set_interface(ids.id, SND_CTL_ELEM_IFACE_MIXER);
    snd_ctl_elem_id_set_name(ids.id, "Master Playback Volume");
    snd_ctl_elem_info_alloca(&ids.info);
    snd_ctl_elem_value_alloca(&ids.value);

    std::vector<double> open, info, write, close;
    for (int i = 0; i < count; ++i) {
        auto mark = Clock::now();
        const auto lap = [&mark](std::vector<double>& into) {
            const auto now = Clock::now();
            into.push_back(Microseconds(now - mark));
            mark = now;
        };
        snd_ctl_t* ctl = nullptr;
        if (snd_ctl_open(&ctl, "default", 0) < 0) return;
        lap(open);
        snd_ctl_elem_info_set_id(ids.info, ids.id);
        snd_ctl_elem_info(ctl, ids.info);
        lap(info);
        FillValues(ids, i);
        snd_ctl_elem_write(ctl, ids.value);
        lap(write);
        snd_ctl_close(ctl);
        lap(close);
    }
    Report("  snd_ctl_open (connects)", open);
    Report("  snd_ctl_elem_info", info);
    Report("  snd_ctl_elem_write", write);
    Report("  snd_ctl_close (disconnects)", close);

    // The write alone on a handle held open, which the mixer may not do: the part of the cost
    // that is not connecting and disconnecting.
    snd_ctl_t* ctl = nullptr;
    if (snd_ctl_open(&ctl, "default", 0) < 0) return;
    std::vector<double> held;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        FillValues(ids, i);
        snd_ctl_elem_write(ctl, ids.value);
        held.push_back(Microseconds(Clock::now() - start));
    }
    snd_ctl_close(ctl);
    Report("  write, handle held open", held);
}

// For comparison, the simple mixer's cycle, which the mixer used to set a value with: it loads
// every element and sets the channels one at a time.
void MeasureSimpleMixer(int count) {
    std::vector<double> cycle;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        snd_mixer_t* mixer = nullptr;
        if (snd_mixer_open(&mixer, 0) < 0) return;
        if (snd_mixer_attach(mixer, "default") == 0 &&
            snd_mixer_selem_register(mixer, nullptr, nullptr) == 0 &&
            snd_mixer_load(mixer) == 0) {
            snd_mixer_selem_id_t* id = nullptr;
            snd_mixer_selem_id_alloca(&id);
            snd_mixer_selem_id_set_name(id, "Master");
            if (snd_mixer_elem_t* element = snd_mixer_find_selem(mixer, id)) {
                snd_mixer_selem_set_playback_volume_all(element, SliderValue(i));
            }
        }
        snd_mixer_close(mixer);
        cycle.push_back(Microseconds(Clock::now() - start));
    }
    Report("simple mixer open+load+set+close", cycle);
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    // Started before the first ALSA call, which decides whether "default" goes to PulseAudio.
    support::PulseServer pulse("mixer-bench");
    if (!pulse.Up()) {
        std::fprintf(stderr, "the PulseAudio server did not start\n");
        return 1;
    }
    const int result = MeasureSetControlDetails(count);
    if (result == 0) {
        MeasureSteps(std::min(count, 300));
        MeasureSimpleMixer(std::min(count, 100));
    }
    if (!pulse.Stop()) std::fprintf(stderr, "stopping the server failed\n");
    return result;
}

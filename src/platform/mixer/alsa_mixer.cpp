#include "platform/mixer/alsa_mixer.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>
#include <memory>

namespace mixer {
namespace {

struct Line {
    uint32_t id;
    const char* element;        // the simple element
    const char* volumeControl;  // the control element behind its playback volume
};

// In order of preference: the first element present is the speakers line.
constexpr Line kSpeakerLines[] = {{1, "Master", "Master Playback Volume"},
                                  {2, "Speaker", "Speaker Playback Volume"}};

constexpr uint32_t kVolumeControlTag = 0x100;
constexpr uint32_t kLineIdMask = 0xFF;

const Line* LineById(uint32_t lineId) {
    for (const Line& line : kSpeakerLines) {
        if (line.id == lineId) return &line;
    }
    return nullptr;
}

uint32_t VolumeControlId(const Line& line) { return kVolumeControlTag | line.id; }

const Line* LineOfVolumeControl(uint32_t controlId) {
    if ((controlId & ~kLineIdMask) != kVolumeControlTag) return nullptr;
    return LineById(controlId & kLineIdMask);
}

const char* DeviceName(uint32_t device) { return device == 0 ? "default" : nullptr; }

void DiscardAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Without this, ALSA writes a screenful of config errors to stderr whenever "default" cannot
// be opened (no sound server, no card), and every volume change would repeat it.
void SilenceAlsaErrors() {
    static const bool silenced = [] {
        snd_lib_error_set_handler(&DiscardAlsaError);
        return true;
    }();
    (void)silenced;
}

struct MixerCloser {
    void operator()(snd_mixer_t* mixer) const { snd_mixer_close(mixer); }
};
using MixerHandle = std::unique_ptr<snd_mixer_t, MixerCloser>;

// The device's simple elements, loaded; empty when the device cannot be reached. Whatever was
// opened before a failing step is closed by the handle.
MixerHandle OpenMixer(const char* device) {
    snd_mixer_t* raw = nullptr;
    if (snd_mixer_open(&raw, 0) < 0) return {};
    MixerHandle mixer(raw);
    if (snd_mixer_attach(raw, device) < 0) return {};
    if (snd_mixer_selem_register(raw, nullptr, nullptr) < 0) return {};
    if (snd_mixer_load(raw) < 0) return {};
    return mixer;
}

snd_mixer_elem_t* FindElement(snd_mixer_t* mixer, const char* name) {
    snd_mixer_selem_id_t* id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_selem_id_set_name(id, name);
    return snd_mixer_find_selem(mixer, id);
}

int32_t ClampToInt32(long value) {
    return static_cast<int32_t>(std::clamp<long>(value, std::numeric_limits<int32_t>::min(),
                                                 std::numeric_limits<int32_t>::max()));
}

// A line's playback volume, open for the length of one call.
struct Volume {
    MixerHandle mixer;
    snd_mixer_elem_t* element = nullptr;
    long minimum = 0;
    long maximum = 0;
};

int OpenVolume(const char* device, const Line& line, Volume& volume) {
    volume.mixer = OpenMixer(device);
    if (!volume.mixer) return AlsaMixer::Unreachable;
    volume.element = FindElement(volume.mixer.get(), line.element);
    if (volume.element == nullptr) return AlsaMixer::NoLine;
    if (!snd_mixer_selem_has_playback_volume(volume.element)) return AlsaMixer::NoControl;
    if (snd_mixer_selem_get_playback_volume_range(volume.element, &volume.minimum,
                                                  &volume.maximum) < 0 ||
        volume.minimum > volume.maximum) {
        return AlsaMixer::NoControl;
    }
    return AlsaMixer::Ok;
}

// ALSA silently ignores a value outside the range; a fader pushed past its end should still
// reach that end.
long ClampToRange(uint32_t value, long minimum, long maximum) {
    return std::clamp<long>(value, minimum, maximum);
}

// The slow way, for a device whose line is made of elements under other names: the simple
// mixer finds them, at the price of loading every element of the device.
int SetThroughSimpleMixer(const char* device, const Line& line, uint32_t value) {
    Volume volume;
    if (const int result = OpenVolume(device, line, volume); result != AlsaMixer::Ok) {
        return result;
    }
    const long clamped = ClampToRange(value, volume.minimum, volume.maximum);
    if (snd_mixer_selem_set_playback_volume_all(volume.element, clamped) < 0) {
        return AlsaMixer::Refused;
    }
    return AlsaMixer::Ok;
}

struct ControlCloser {
    void operator()(snd_ctl_t* ctl) const { snd_ctl_close(ctl); }
};
using ControlHandle = std::unique_ptr<snd_ctl_t, ControlCloser>;

// Said by WriteVolumeControl when the device has no element of the line's usual name.
constexpr int kNoSuchElement = -1;

// Sets every channel of the line's volume element in one write. Opened by name, the element
// needs no scan of the device's element list; its info gives the range and channel count.
int WriteVolumeControl(const char* device, const Line& line, uint32_t value) {
    snd_ctl_t* raw = nullptr;
    if (snd_ctl_open(&raw, device, 0) < 0) return AlsaMixer::Unreachable;
    const ControlHandle ctl(raw);

    snd_ctl_elem_id_t* id = nullptr;
    snd_ctl_elem_id_alloca(&id);
    snd_ctl_elem_id_set_interface(id, SND_CTL_ELEM_IFACE_MIXER);
    snd_ctl_elem_id_set_name(id, line.volumeControl);

    snd_ctl_elem_info_t* info = nullptr;
    snd_ctl_elem_info_alloca(&info);
    snd_ctl_elem_info_set_id(info, id);
    if (const int error = snd_ctl_elem_info(ctl.get(), info); error < 0) {
        // Any other failure means the device stopped answering (the PulseAudio plugin says
        // so when its server went away after the open).
        return error == -ENOENT ? kNoSuchElement : AlsaMixer::Unreachable;
    }
    const long minimum = snd_ctl_elem_info_get_min(info);
    const long maximum = snd_ctl_elem_info_get_max(info);
    const unsigned int channels = snd_ctl_elem_info_get_count(info);
    if (snd_ctl_elem_info_get_type(info) != SND_CTL_ELEM_TYPE_INTEGER || channels == 0 ||
        minimum > maximum) {
        return AlsaMixer::NoControl;
    }

    snd_ctl_elem_value_t* values = nullptr;
    snd_ctl_elem_value_alloca(&values);
    snd_ctl_elem_value_set_id(values, id);
    const long clamped = ClampToRange(value, minimum, maximum);
    for (unsigned int channel = 0; channel < channels; ++channel) {
        snd_ctl_elem_value_set_integer(values, channel, clamped);
    }
    if (snd_ctl_elem_write(ctl.get(), values) < 0) return AlsaMixer::Refused;
    return AlsaMixer::Ok;
}

} // namespace

AlsaMixer::AlsaMixer() { SilenceAlsaErrors(); }

int AlsaMixer::GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) {
    const char* name = DeviceName(device);
    if (name == nullptr) return BadDevice;
    if (componentType != ComponentTypeSpeakers) return NoLine;
    const MixerHandle mixer = OpenMixer(name);
    if (!mixer) return Unreachable;
    for (const Line& line : kSpeakerLines) {
        if (FindElement(mixer.get(), line.element) != nullptr) {
            lineId = line.id;
            return Ok;
        }
    }
    return NoLine;
}

int AlsaMixer::GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                              MixerControl& control) {
    const char* name = DeviceName(device);
    if (name == nullptr) return BadDevice;
    const Line* line = LineById(lineId);
    if (line == nullptr) return NoLine;
    if (controlType != ControlTypeVolume) return NoControl;
    Volume volume;
    if (const int result = OpenVolume(name, *line, volume); result != Ok) return result;
    control.dwControlID = VolumeControlId(*line);
    control.dwControlType = controlType;
    control.lMinimum = ClampToInt32(volume.minimum);
    control.lMaximum = ClampToInt32(volume.maximum);
    return Ok;
}

int AlsaMixer::SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) {
    const char* name = DeviceName(device);
    if (name == nullptr) return BadDevice;
    const Line* line = LineOfVolumeControl(controlId);
    if (line == nullptr) return NoControl;
    const int result = WriteVolumeControl(name, *line, value);
    return result == kNoSuchElement ? SetThroughSimpleMixer(name, *line, value) : result;
}

} // namespace mixer

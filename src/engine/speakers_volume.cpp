// The speakers volume through the system mixer: one lookup of the speakers line's volume
// control when the main window loads, then one value sent for every change of VSvolume.
#include "engine/speakers_volume.h"

#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/basic.h"

bool Module1::LookupVolumeControl(uint32_t mixerId, uint32_t componentType, uint32_t controlType,
                                  mixer::MixerControl& control) {
    mixer::Mixer& system = mixer::SystemMixer();
    uint32_t lineId = 0;
    if (system.GetLineInfo(mixerId, componentType, lineId) != 0) return false;
    // Found into a scratch record, so that a failed control lookup leaves the caller's as it was.
    mixer::MixerControl found;
    if (system.GetLineControl(mixerId, lineId, controlType, found) != 0) return false;
    control = found;
    return true;
}

bool Form4::SetMixerVolume(uint32_t mixerId, const mixer::MixerControl& control, int32_t value) {
    return mixer::SystemMixer().SetControlDetails(mixerId, control.dwControlID,
                                                  static_cast<uint32_t>(value)) == 0;
}

void Form4::VSvolume_Change() {
    // A refused value is not worth a message: the next slider step sends another.
    SetMixerVolume(0, VolumeControl, speakers_volume::MixerValue(VSvolume.Value()));
}

void Form4::LookUpSpeakersVolume() {
    // The load goes on whatever happens here: a lookup that cannot run counts as one that
    // found nothing, and the holder keeps its default range.
    bool found = false;
    forms::TryStep([&] {
        found = Module1::LookupVolumeControl(0, mixer::ComponentTypeSpeakers,
                                             mixer::ControlTypeVolume, VolumeControl);
    });
    if (!found) return;
    // Each bound on its own: one that does not fit 16 bits keeps its default, and the rest
    // still apply.
    forms::TryStep([&] { VSvolume.SetMin(forms::CInt(VolumeControl.lMinimum)); });
    forms::TryStep([&] {
        VSvolume.SetMax(forms::CInt(speakers_volume::HalvedMaximum(VolumeControl.lMaximum)));
    });
    forms::TryStep([&] { VSvolume.SetLargeChange(speakers_volume::ChangeStep); });
    forms::TryStep([&] { VSvolume.SetSmallChange(speakers_volume::ChangeStep); });
}

#include "support/fake_mixer.h"

#include <algorithm>

namespace mixer {

int FakeMixer::GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) {
    calls.push_back({.function = Function::GetLineInfo,
                     .device = device,
                     .componentType = componentType});
    if (device != 0 || componentType != ComponentTypeSpeakers || !hasSpeakersLine) {
        return Failure;
    }
    lineId = speakersLineId;
    return 0;
}

int FakeMixer::GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                              MixerControl& control) {
    calls.push_back({.function = Function::GetLineControl,
                     .device = device,
                     .lineId = lineId,
                     .controlType = controlType});
    if (device != 0 || !hasSpeakersLine || lineId != speakersLineId || !hasVolumeControl ||
        controlType != volume.dwControlType) {
        return Failure;
    }
    control = volume;
    return 0;
}

int FakeMixer::SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) {
    calls.push_back({.function = Function::SetControlDetails,
                     .device = device,
                     .controlId = controlId,
                     .value = value});
    if (device != 0 || controlId == 0 || controlId != volume.dwControlID) return Failure;
    return setResult;
}

int FakeMixer::Count(Function function) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [function](const Call& call) {
        return call.function == function;
    }));
}

std::vector<uint32_t> FakeMixer::ValuesSet() const {
    std::vector<uint32_t> values;
    for (const Call& call : calls) {
        if (call.function == Function::SetControlDetails) values.push_back(call.value);
    }
    return values;
}

} // namespace mixer

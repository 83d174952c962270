#pragma once
// A mixer for window tests: the speakers line and its volume control are there or not as the
// test says, and every call is recorded. Like the real one, it knows device 0 only, and a
// control id it did not hand out fails.
#include "platform/mixer/mixer.h"

#include <cstdint>
#include <vector>

namespace mixer {

class FakeMixer final : public Mixer {
public:
    enum class Function { GetLineInfo, GetLineControl, SetControlDetails };

    // One call as the caller made it; fields a function does not take stay 0.
    struct Call {
        Function function;
        uint32_t device = 0;
        uint32_t componentType = 0;  // GetLineInfo
        uint32_t lineId = 0;         // GetLineControl
        uint32_t controlType = 0;    // GetLineControl
        uint32_t controlId = 0;      // SetControlDetails
        uint32_t value = 0;          // SetControlDetails
    };

    static constexpr int Failure = 1;

    // What the fake holds; tests change these freely.
    bool hasSpeakersLine = true;
    uint32_t speakersLineId = 7;
    bool hasVolumeControl = true;
    MixerControl volume{0x70001, ControlTypeVolume, 0, 65535};
    int setResult = 0;  // what SetControlDetails answers for the volume control's id

    std::vector<Call> calls;

    int GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) override;
    int GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                       MixerControl& control) override;
    int SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) override;

    int Count(Function function) const;
    // The values of every SetControlDetails call, in order, whatever it answered.
    std::vector<uint32_t> ValuesSet() const;
};

} // namespace mixer

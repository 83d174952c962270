#pragma once
// The system mixer, as the player addresses it: a device by number, a line by component
// type, one control on that line by control type, and a value sent to a control by its id.
// Every call stands alone: no mixer resource outlives it. Results are 0 for success,
// anything else for failure.
#include <cstdint>

namespace mixer {

constexpr uint32_t ComponentTypeSpeakers = 4;           // the speakers destination line
constexpr uint32_t ControlTypeVolume = 0x50030001;      // a line's volume fader

// The part of a control's description that the player reads.
struct MixerControl {
    uint32_t dwControlID = 0;
    uint32_t dwControlType = 0;
    int32_t lMinimum = 0;
    int32_t lMaximum = 0;
};

class Mixer {
public:
    virtual ~Mixer() = default;
    // Finds the line of that component type on the device; fills lineId.
    virtual int GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) = 0;
    // Finds one control of that type on the line; fills control.
    virtual int GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                               MixerControl& control) = 0;
    // Sets the control to value on all its channels.
    virtual int SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) = 0;
};

// The mixer the windows use; tests install a fake. The default is the system's.
Mixer& SystemMixer();
void SetSystemMixer(Mixer* mixer);

} // namespace mixer

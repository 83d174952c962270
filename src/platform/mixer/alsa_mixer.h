#pragma once
// The system mixer over ALSA.
//
// Device 0 is ALSA's "default" device, which on a desktop reaches PulseAudio or PipeWire
// through libasound2-plugins; no other device number is known. The speakers line is the
// simple element "Master", or "Speaker" where there is no "Master"; its volume control is
// that element's playback volume, with ALSA's own range (0..65536 through PulseAudio).
//
// The lookups go through the simple mixer, which knows which elements make up a line. A value
// is sent straight to the control element behind the line's playback volume ("Master Playback
// Volume"), all channels in one write: loading the simple mixer and setting channel after
// channel costs the PulseAudio plugin several times the requests, and a slider sends a value
// every few milliseconds. Only a device whose line has no element of that name is set through
// the simple mixer.
//
// Ids are fixed per element, so they stay valid for as long as the element exists:
//   line "Master" = 1, line "Speaker" = 2, volume control = 0x100 | line id.
// Every call opens the device, does its work and closes it again, so a sound server that
// restarts between calls is simply found again. ALSA's messages on stderr are silenced for the
// whole process the first time an AlsaMixer is made: a missing server is reported through the
// results alone.
#include "platform/mixer/mixer.h"

namespace mixer {

class AlsaMixer final : public Mixer {
public:
    // Why a call failed. Callers only distinguish 0 from the rest; the reasons help tests and
    // debugging.
    enum Result : int {
        Ok = 0,
        BadDevice = 1,    // a device number other than 0
        Unreachable = 2,  // the device or its sound server could not be opened
        NoLine = 3,       // no such line, or its element is missing
        NoControl = 4,    // no such control, or the element has no playback volume
        Refused = 5,      // ALSA refused the new value
    };

    AlsaMixer();

    int GetLineInfo(uint32_t device, uint32_t componentType, uint32_t& lineId) override;
    int GetLineControl(uint32_t device, uint32_t lineId, uint32_t controlType,
                       MixerControl& control) override;
    // A value outside the control's range sets the nearer end of the range.
    int SetControlDetails(uint32_t device, uint32_t controlId, uint32_t value) override;
};

} // namespace mixer

#include "platform/mixer/alsa_mixer.h"
#include "platform/mixer/mixer.h"

namespace mixer {
namespace {

Mixer* installedMixer = nullptr;

} // namespace

Mixer& SystemMixer() {
    if (installedMixer != nullptr) return *installedMixer;
    // Made on first use, so a program whose tests install a fake never touches ALSA.
    static AlsaMixer alsaMixer;
    return alsaMixer;
}

// nullptr puts the system's mixer back.
void SetSystemMixer(Mixer* mixer) { installedMixer = mixer; }

} // namespace mixer

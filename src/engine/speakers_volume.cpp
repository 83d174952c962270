// Being written.
#include "main_window/form4.h"
#include "engine/module1.h"

bool Form4::SetMixerVolume(uint32_t, const mixer::MixerControl&, int32_t) { return false; }
void Form4::VSvolume_Change() {}
void Form4::LookUpSpeakersVolume() {}
bool Module1::LookupVolumeControl(uint32_t, uint32_t, uint32_t, mixer::MixerControl&) { return false; }

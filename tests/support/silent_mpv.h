#pragma once
// The real libmpv back end with mpv's "null" audio output: everything plays, nothing is heard.
// A media factory for tests that need real decoding (media::SetMediaFactory(&CreateSilentMpv)).
#include "platform/media/mpv_media_control.h"

#include <memory>

namespace support {

inline std::unique_ptr<media::MediaControl> CreateSilentMpv() {
    return std::make_unique<media::MpvMediaControl>(media::MpvOptions{"null"});
}

} // namespace support

#include "platform/media/media_control.h"
#include "platform/media/mpv_media_control.h"

namespace media {
namespace {

std::unique_ptr<MediaControl> CreateMpvMediaControl() {
    return std::make_unique<MpvMediaControl>();
}

MediaFactory currentFactory = &CreateMpvMediaControl;

} // namespace

// nullptr puts the real back end back, so a test can undo what it installed.
void SetMediaFactory(MediaFactory factory) {
    currentFactory = factory ? factory : &CreateMpvMediaControl;
}

std::unique_ptr<MediaControl> CreateMediaControl() {
    return currentFactory();
}

} // namespace media

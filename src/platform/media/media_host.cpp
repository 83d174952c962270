#include "media_host.h"

#include "platform/forms/runtime_error.h"

namespace media {

MediaControl& MediaHost::Backend() {
    Touch();
    // Made on first use, so a window that never plays never starts a playback engine.
    if (!backend_) backend_ = CreateMediaControl();
    if (!backend_)
        throw forms::RuntimeError(forms::ErrorNumber::AutomationError, "No media control");
    return *backend_;
}

} // namespace media

// Where windows get their media control: the real back end unless a test installs another.
#include "platform/media/media_control.h"
#include "platform/media/mpv_media_control.h"
#include "support/silent_mpv.h"

#include <gtest/gtest.h>

namespace media {
namespace {

int installedCalls = 0;

std::unique_ptr<MediaControl> SilentControl() {
    ++installedCalls;
    return support::CreateSilentMpv();
}

TEST(MediaFactoryTest, InstalledFactoryServesUntilTheDefaultIsPutBack) {
    EXPECT_NE(dynamic_cast<MpvMediaControl*>(CreateMediaControl().get()), nullptr);

    SetMediaFactory(&SilentControl);
    const auto installed = CreateMediaControl();
    EXPECT_EQ(installedCalls, 1);
    ASSERT_NE(installed, nullptr);
    EXPECT_EQ(installed->Duration(), 0);

    SetMediaFactory(nullptr);
    EXPECT_NE(dynamic_cast<MpvMediaControl*>(CreateMediaControl().get()), nullptr);
    EXPECT_EQ(installedCalls, 1);
}

} // namespace
} // namespace media

// The yardstick for what the player costs while it plays: libmpv playing one file through the
// player's own back end (same options, same audio output choice), with no Qt application, no
// window and no timers. It looks at the back end once a second, as the playback tick does, and
// exits when the file has reached its end.
//
//   mpv_alone FILE
//
// Prints one line: "playing: cpu_s=<user+system seconds> wall_s=<seconds>", counted from the
// open to the end; bench/cost.sh reads it.
#include "platform/media/mpv_media_control.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mpv_alone FILE\n");
        return 2;
    }
    try {
        media::MpvMediaControl player;
        const auto start = std::chrono::steady_clock::now();
        const double cpuAtStart = CpuSeconds();
        player.Open(argv[1]);
        // A song that never ends would keep the benchmark waiting; an hour is far past any
        // file it is meant for.
        for (int second = 0; second < 3600; ++second) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const int state = player.PlayState();
            if (state == media::MpvMediaControl::PlayStateEnded) break;
            if (state == media::MpvMediaControl::PlayStateStopped) {
                std::fprintf(stderr, "mpv_alone: %s did not play\n", argv[1]);
                return 1;
            }
        }
        const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
        std::printf("playing: cpu_s=%.3f wall_s=%.3f\n", CpuSeconds() - cpuAtStart, wall.count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mpv_alone: %s\n", error.what());
        return 1;
    }
    return 0;
}

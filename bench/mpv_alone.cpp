// The yardstick for what the player costs while it plays: libmpv playing one file through the
// player's own back end (same options, same audio output choice), with no Qt application, no
// window and no timers. It looks at the back end once a second, as the playback tick does, and
// exits when the file has reached its end.
//
//   mpv_alone FILE
//
// Prints one line: "playing: cpu_s=<user+system seconds> wall_s=<seconds>", counted from the
// open to the end, then the whole process's CPU seconds and peak memory; bench/cost.sh reads it.
#include "bench/process_figures.h"
#include "platform/media/mpv_media_control.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mpv_alone FILE\n");
        return 2;
    }
    try {
        media::MpvMediaControl player;
        const auto start = std::chrono::steady_clock::now();
        const double cpuAtStart = bench::CpuSeconds();
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
        bench::PrintFigures("playing", bench::CpuSeconds() - cpuAtStart, wall.count());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mpv_alone: %s\n", error.what());
        return 1;
    }
    return 0;
}

// How long MpvMediaControl::Open holds the caller while libmpv loads a local MP3. Open returns
// only once the file is loaded (or has failed), and the window is frozen meanwhile, so the wait
// should stay well under what a user notices (goal: a median of 50 ms or less).
//
//   open_wait_bench [COUNT]      (CORVESSA_TEST_TOOLS names the folder of the test tools)
//
// Makes two 30 s tones, then opens them in turn COUNT times (100 by default) through mpv's
// silent "null" output and through the output libmpv chooses itself, as the program does,
// playing into a private PulseAudio server with a null sink. Prints median, mean, p90 and worst.
#include "platform/forms/runtime_error.h"
#include "platform/media/mpv_media_control.h"
#include "support/pulse_server.h"
#include "support/test_tools.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

void Report(const std::string& what, std::vector<double> samples, int notLoaded) {
    std::sort(samples.begin(), samples.end());
    const double mean = std::accumulate(samples.begin(), samples.end(), 0.0) /
                        static_cast<double>(samples.size());
    const double median = samples[samples.size() / 2];
    const double p90 = samples[std::min(samples.size() - 1, samples.size() * 9 / 10)];
    std::printf("%-28s median %7.2f ms   mean %7.2f ms   p90 %7.2f ms   worst %7.2f ms   "
                "(n=%zu, not loaded at return: %d)\n",
                what.c_str(), median, mean, p90, samples.back(), samples.size(), notLoaded);
}

// One control for the whole run, as in the program. The first open, which also brings the audio
// output up, is shown apart; two more follow before the count starts.
int Measure(const std::string& what, const std::string& audioOutput,
            const std::vector<std::string>& songs, int count) {
    try {
        media::MpvMediaControl media(media::MpvOptions{audioOutput});
        const Clock::time_point first = Clock::now();
        media.Open(songs[0]);
        std::printf("%-28s first open %.2f ms\n", what.c_str(), Milliseconds(Clock::now() - first));
        for (int i = 1; i < 3; ++i) media.Open(songs[static_cast<size_t>(i) % songs.size()]);
        std::vector<double> samples;
        samples.reserve(static_cast<size_t>(count));
        int notLoaded = 0;
        for (int i = 0; i < count; ++i) {
            const std::string& song = songs[static_cast<size_t>(i) % songs.size()];
            const Clock::time_point start = Clock::now();
            media.Open(song);
            samples.push_back(Milliseconds(Clock::now() - start));
            if (media.Duration() <= 0) ++notLoaded;
        }
        Report(what, std::move(samples), notLoaded);
        if (audioOutput.empty()) {
            // libmpv falls back to its silent output when no device answers; then this row
            // would measure that output again.
            const support::ShellResult streams = support::RunShell("pactl list short sink-inputs");
            const bool playing = streams.status == 0 && !streams.output.empty();
            std::printf("%-28s a stream plays into the server's sink: %s\n", "",
                        playing ? "yes" : "NO");
            if (!playing) return 1;
        }
        return 0;
    } catch (const forms::RuntimeError& error) {
        std::fprintf(stderr, "%s: %s\n", what.c_str(), error.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    char pattern[] = "/tmp/corvessa-open-bench-XXXXXX";
    if (!mkdtemp(pattern)) {
        std::fprintf(stderr, "cannot make a temporary folder\n");
        return 1;
    }
    const std::filesystem::path folder = pattern;
    const std::vector<std::string> songs{(folder / "a.mp3").string(), (folder / "b.mp3").string()};
    int result = 0;
    if (!support::MakeMp3(songs[0], 30, 440) || !support::MakeMp3(songs[1], 30, 660)) {
        std::fprintf(stderr, "cannot make the MP3 files\n");
        result = 1;
    } else {
        result |= Measure("null output", "null", songs, count);
        support::PulseServer pulse("open-wait-bench");
        if (pulse.Up())
            result |= Measure("libmpv's choice (PulseAudio)", "", songs, count);
        else
            std::fprintf(stderr, "the PulseAudio server did not start; that row is left out\n");
    }
    std::filesystem::remove_all(folder);
    return result;
}

// The player playing one song, or sitting idle, for the cost benchmark: the program's own
// start-up (the splash, then the main window with all its timers), the real libmpv back end and
// whatever platform QT_QPA_PLATFORM names. Once the main window has shown and unrolled, the song
// is put in the playlist as the loader puts it and the playlist item is double-clicked
// in-process (no X pointer); the program ends when the playback tick, at the end of the song,
// wraps to the first item of the one-song playlist.
//
//   corvessa_play [--1ms-timers-at MS] FILE
//   corvessa_play [--1ms-timers-at MS] --idle SECONDS
//
// --1ms-timers-at gives the main window's 1 ms timers (the taskbar watcher, which runs all the
// time, and the knob alignment, which stops by itself after 900 ms) another interval once the
// window has shown, and 0 switches them off: it tells their share of the cost from the rest,
// and what a longer shortest period would save. It is for measuring only.
//
// Prints one line, "playing: cpu_s=<user+system seconds> wall_s=<seconds>" counted from the
// double-click to the wrap, or "idle: cpu_s=... wall_s=..." over the idle seconds, then the whole
// process's CPU seconds and peak memory; bench/cost.sh reads it.
#include "bench/process_figures.h"
#include "engine/module1.h"
#include "main_window/form4.h"
#include "platform/forms/form.h"
#include "platform/forms/program_end.h"
#include "platform/media/media_control.h"
#include "platform/media/mpv_media_control.h"
#include "windows/frm_splash.h"

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;

// Time the main window takes to unroll on a large screen, and more; the user clicks after it.
constexpr int UnrollMs = 4000;
constexpr int WindowWaitMs = 30000;
constexpr int SongWaitMs = 3600 * 1000;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "corvessa_play: %s\n", what.c_str());
    std::fflush(stderr);
    std::_Exit(1);
}

// Called when the player opens a file for the second time: the song has ended.
std::function<void()> onSecondOpen;

// The real back end with default options, as the program makes it, counting the opens.
class CountingMedia : public media::MediaControl {
public:
    void Open(const std::string& path) override {
        if (++opens_ == 2 && onSecondOpen) onSecondOpen();
        inner_.Open(path);
    }
    void WhenLoadFails(std::function<void()> notice) override {
        inner_.WhenLoadFails(std::move(notice));
    }
    void Play() override { inner_.Play(); }
    void Pause() override { inner_.Pause(); }
    void Stop() override { inner_.Stop(); }
    double CurrentPosition() override { return inner_.CurrentPosition(); }
    void SetCurrentPosition(double seconds) override { inner_.SetCurrentPosition(seconds); }
    double Duration() override { return inner_.Duration(); }
    int PlayState() override { return inner_.PlayState(); }
    void SetMute(bool on) override { inner_.SetMute(on); }
    void SetStartupProperty(int value) override { inner_.SetStartupProperty(value); }

private:
    media::MpvMediaControl inner_;
    int opens_ = 0;
};

std::unique_ptr<media::MediaControl> CreateCountingMedia() {
    return std::make_unique<CountingMedia>();
}

struct Arguments {
    int shortTimersMs = 1;  // 0: off
    std::string song;  // empty when idle
    int idleSeconds = 0;
};

Arguments Parse(int argc, char** argv) {
    Arguments args;
    int i = 1;
    if (i + 1 < argc && std::string_view(argv[i]) == "--1ms-timers-at") {
        args.shortTimersMs = std::atoi(argv[i + 1]);
        i += 2;
    }
    if (i + 2 == argc && std::string_view(argv[i]) == "--idle") {
        args.idleSeconds = std::atoi(argv[i + 1]);
        if (args.idleSeconds > 0) return args;
    } else if (i + 1 == argc && argv[i][0] != '-') {
        args.song = std::filesystem::absolute(argv[i]).string();
        return args;
    }
    std::fprintf(stderr,
                 "usage: corvessa_play [--1ms-timers-at MS] FILE\n"
                 "       corvessa_play [--1ms-timers-at MS] --idle SECONDS\n");
    std::exit(2);
}

[[noreturn]] void Report(const char* what, double cpuAtStart, Clock::time_point start) {
    const std::chrono::duration<double> wall = Clock::now() - start;
    bench::PrintFigures(what, bench::CpuSeconds() - cpuAtStart, wall.count());
    forms::EndProgram();
}

} // namespace

int main(int argc, char** argv) {
    const Arguments args = Parse(argc, argv);

    QApplication app(argc, argv);
    app.setApplicationName("Corvessa");
    app.setQuitOnLastWindowClosed(false);
    media::SetMediaFactory(&CreateCountingMedia);

    Clock::time_point start;
    double cpuAtStart = 0;
    onSecondOpen = [&] { Report("playing", cpuAtStart, start); };

    const auto playSong = [&] {
        Form4& main = forms::Default<Form4>();
        const std::string name = std::filesystem::path(args.song).filename().string();
        main.List1.AddItem(name);
        Module1::SongTable(0).FullPath = args.song;
        main.List1.SetListIndex(0);
        start = Clock::now();
        cpuAtStart = bench::CpuSeconds();
        main.List1.DblClick();
        if (main.Text1.Text() != name) Fail("the song did not open");
        QTimer::singleShot(SongWaitMs, [] { Fail("the song did not end"); });
    };
    const auto sitIdle = [&] {
        start = Clock::now();
        cpuAtStart = bench::CpuSeconds();
        QTimer::singleShot(args.idleSeconds * 1000, [&] { Report("idle", cpuAtStart, start); });
    };

    // The splash shows the main window after its own timer; wait for that, let it unroll,
    // then begin.
    QTimer poll;
    const auto shown = Clock::now();
    QObject::connect(&poll, &QTimer::timeout, [&] {
        Form4& main = forms::Default<Form4>();
        if (main.IsLoaded() && main.Visible()) {
            poll.stop();
            for (forms::Timer* t : {&main.Timer5, &main.Timer6}) {
                if (args.shortTimersMs <= 0)
                    t->SetEnabled(false);
                else if (args.shortTimersMs != 1)
                    t->SetInterval(args.shortTimersMs);
            }
            if (args.song.empty())
                QTimer::singleShot(UnrollMs, sitIdle);
            else
                QTimer::singleShot(UnrollMs, playSong);
        } else if (Clock::now() - shown > std::chrono::milliseconds(WindowWaitMs)) {
            Fail("the main window did not appear");
        }
    });
    poll.start(100);

    forms::Default<frmSplash>().Show();
    return app.exec();
}

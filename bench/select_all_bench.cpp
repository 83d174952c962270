// How long "&Select all" takes on a folder that fills the whole song table (12,501 files),
// beside a plain listing and sort of the same folder in the same run. Loading a folder appends
// every name to the sorted playlist one at a time, which must not turn quadratic.
//
//   select_all_bench [ROUNDS]      (runs on Qt's offscreen platform unless QT_QPA_PLATFORM is set)
//
// Prints the median of ROUNDS (default 7) rounds for: the plain listing, alone and with its
// sort; the loader
// opening the folder (its file list reads and sorts it); the "&Select all" handler; and the
// handler together with the playlist view catching up, which happens once control returns to
// the event loop. The figure the goal is about is the last one against the first.
#include "engine/module1.h"
#include "loader/form2.h"
#include "main_window/form4.h"
#include "platform/forms/form.h"
#include "platform/forms/lists.h"
#include "platform/forms/message_box.h"
#include "platform/forms/timer.h"
#include "platform/mixer/mixer.h"
#include "windows/frm_splash.h"

#include <QApplication>
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr int Files = Module1::SongTableLast + 1;

class SilentBoxes : public forms::MessageBoxService {
public:
    void Show(const std::string&, forms::MsgIcon, const std::string&) override {}
};

// The benchmark is about lists, not sound: no mixer is there.
class NoMixer : public mixer::Mixer {
public:
    int GetLineInfo(uint32_t, uint32_t, uint32_t&) override { return 1; }
    int GetLineControl(uint32_t, uint32_t, uint32_t, mixer::MixerControl&) override { return 1; }
    int SetControlDetails(uint32_t, uint32_t, uint32_t) override { return 1; }
};

// A folder of empty song files with names like a real collection's: mixed case, blanks,
// digits, a few accented letters, in no particular order on disk.
class SongFolder {
public:
    SongFolder() {
        const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "corvessa-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::exit(1);
        path_ = pattern;
        static const char* artists[] = {"Ana Belén", "the Beatles", "ZZ Top", "Édith Piaf",
                                        "abba", "Queen", "Ólafur Arnalds", "muse"};
        for (int i = 0; i < Files; ++i) {
            const int n = (i * 7919) % Files;  // spread the numbers over the creation order
            const std::string name = std::string(artists[n % 8]) + " - Track " +
                                     std::to_string(n / 8) + (n % 3 ? ".mp3" : ".MP3");
            std::ofstream(path_ + "/" + name).put('\0');
        }
    }
    ~SongFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::vector<std::string> List(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    return names;
}

// The plain way to get the same names in the same order: read the folder and sort the names
// with the list order.
std::vector<std::string> ListAndSort(const std::string& folder) {
    std::vector<std::string> names = List(folder);
    std::sort(names.begin(), names.end(), forms::ListOrderLess);
    return names;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SilentBoxes boxes;
    NoMixer noMixer;
    forms::SetMessageBoxService(&boxes);
    mixer::SetSystemMixer(&noMixer);

    frmSplash& splash = forms::Default<frmSplash>();
    splash.Text1.SetText("8640");
    splash.Text2.SetText("12000");
    splash.Timer1.SetEnabled(false);
    Form4& main = forms::Default<Form4>();
    main.Show();
    for (forms::Timer* t : {&main.Timer4, &main.Timer5, &main.Timer6, &main.Timer7, &main.Timer8,
                            &main.moving, &main.tmrMove})
        t->SetEnabled(false);
    QCoreApplication::processEvents();

    const SongFolder folder;
    std::vector<double> listing, plain, open, handler, withView;
    size_t listed = 0;
    for (int round = 0; round < rounds; ++round) {
        auto t0 = Clock::now();
        List(folder.Path());
        listing.push_back(Milliseconds(Clock::now() - t0));

        t0 = Clock::now();
        listed = ListAndSort(folder.Path()).size();
        plain.push_back(Milliseconds(Clock::now() - t0));

        main.Command2_Click();
        Form2& loader = forms::Default<Form2>();
        t0 = Clock::now();
        loader.Dir.SetPath(folder.Path());
        open.push_back(Milliseconds(Clock::now() - t0));
        if (loader.File.ListCount() != Files) {
            std::fprintf(stderr, "the loader lists %d files, not %d\n", loader.File.ListCount(), Files);
            return 1;
        }

        t0 = Clock::now();
        loader.select_Click();
        const auto afterHandler = Clock::now();
        QCoreApplication::processEvents();
        const auto afterView = Clock::now();
        handler.push_back(Milliseconds(afterHandler - t0));
        withView.push_back(Milliseconds(afterView - t0));

        if (main.List1.ListCount() != Files ||
            Module1::SongTable(Files - 1).FullPath != folder.Path() + "/" + main.List1.List(Files - 1)) {
            std::fprintf(stderr, "the playlist and the song table are out of step\n");
            return 1;
        }
    }

    const double base = Median(plain);
    std::printf("files                              %zu\n", listed);
    std::printf("plain listing alone               %8.2f ms\n", Median(listing));
    std::printf("plain listing and sort            %8.2f ms\n", base);
    std::printf("loader opening the folder         %8.2f ms  (%.2f x)\n", Median(open), Median(open) / base);
    std::printf("select all, handler               %8.2f ms  (%.2f x)\n", Median(handler), Median(handler) / base);
    std::printf("select all, with playlist view    %8.2f ms  (%.2f x, goal <= 3 x)\n", Median(withView),
                Median(withView) / base);
    std::printf("(median of %d rounds)\n", rounds);

    forms::ResetDefaultInstances();
    forms::SetMessageBoxService(nullptr);
    mixer::SetSystemMixer(nullptr);
    return 0;
}

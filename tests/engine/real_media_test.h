#pragma once
// The main window on the real libmpv back end with mpv's silent "null" output, and short MP3
// tones made for the run in a temporary folder.
#include "engine_window_test.h"
#include "support/silent_mpv.h"
#include "support/test_tools.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

namespace enginetest {

class RealMediaTest : public EngineWindowTest {
protected:
    void BeforeLoad() override { media::SetMediaFactory(&support::CreateSilentMpv); }

    std::string Path(const std::string& name) {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }
    // Writes a sine tone of that length; true when the tools made it.
    bool MakeSong(const std::string& name, double seconds, int hertz) {
        return folder.isValid() && support::MakeMp3(Path(name), seconds, hertz);
    }

    // One playback tick after half a second of real time in which the back end gets on with
    // loading, playing or failing; records how long the tick held this thread.
    void RealTick() {
        using namespace std::chrono_literals;
        RunEventLoop(500ms);
        Holding([this] { clock.Advance(1000); });
    }
    // Lets the event loop run for that long, as it does between the user's actions.
    static void RunEventLoop(std::chrono::milliseconds time) {
        using namespace std::chrono_literals;
        const auto until = std::chrono::steady_clock::now() + time;
        while (std::chrono::steady_clock::now() < until) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            std::this_thread::sleep_for(10ms);
        }
    }
    // Runs a step of the window's and keeps the longest time one held this thread.
    template <typename Step>
    void Holding(Step step) {
        const auto start = std::chrono::steady_clock::now();
        step();
        longestHold = std::max(longestHold, std::chrono::steady_clock::now() - start);
    }
    std::chrono::steady_clock::duration longestHold{};

    QTemporaryDir folder;
};

} // namespace enginetest

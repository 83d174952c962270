#pragma once
// Fakes of the platform for window tests: message boxes, the media control, random numbers,
// the cursor, popup menus and the end of the program.
#include "platform/forms/menu.h"
#include "platform/forms/message_box.h"
#include "platform/forms/random.h"
#include "platform/media/media_control.h"

#include <QPoint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace support {

struct ShownMessage {
    std::string text;
    forms::MsgIcon icon;
    std::string caption;
};

class MessageRecorder : public forms::MessageBoxService {
public:
    void Show(const std::string& text, forms::MsgIcon icon, const std::string& caption) override;
    std::vector<ShownMessage> shown;
    // Runs while the box is "open", e.g. to advance the clock as the nested loop would.
    std::function<void(const ShownMessage&)> whileOpen;
};

// What the fake media control holds and records; the test owns it.
struct FakeMedia {
    FakeMedia();
    ~FakeMedia();
    static FakeMedia* Current();

    double duration = 0;
    double position = 0;
    int playState = 0;
    bool muted = false;
    bool failOpen = false;
    bool failPlay = false;
    bool failPosition = false;  // reading or writing the position fails
    bool failStop = false;
    // Sets duration and position after each successful Open (the file's length and start).
    std::function<void(const std::string& path)> onOpen;
    // Open leaves the file loading (PlayState 3, length and position 0) until FinishLoading
    // or FailLoading; onOpen runs when it has loaded.
    bool openLoading = false;
    void FinishLoading();
    // The file still loading turns out to be no song: it reads 0/0 and stopped, and the notice
    // registered for it is given, as the event loop would give it.
    void FailLoading();
    std::function<void()> loadFailureNotice;

    std::vector<std::string> opened;
    std::vector<double> positionsWritten;
    std::vector<std::string> calls;  // "Open", "Play", "Pause", "Stop", "Mute=1", ...
    int startupProperty = -1;
};

// Installs the fake media factory for the lifetime of the object.
std::unique_ptr<media::MediaControl> CreateFakeMediaControl();

class ScriptedRandom : public forms::RandomSource {
public:
    void Randomize() override { ++reseeds; }
    float Rnd() override;
    std::deque<float> draws;
    int reseeds = 0;
};

class PopupRecorder : public forms::PopupService {
public:
    void Popup(forms::Form& owner, forms::Menu& menu) override;
    std::vector<forms::Menu*> popped;
    std::vector<std::vector<std::string>> rows;
};

// Thrown by the end hook: the program "ended" here.
struct ProgramEnded {};

} // namespace support

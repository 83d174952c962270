#include "fakes.h"

#include "platform/forms/runtime_error.h"

#include <utility>

namespace support {

void MessageRecorder::Show(const std::string& text, forms::MsgIcon icon,
                           const std::string& caption) {
    shown.push_back({text, icon, caption});
    if (whileOpen) whileOpen(shown.back());
}

namespace {
FakeMedia*& currentMedia() {
    static FakeMedia* m = nullptr;
    return m;
}

void fail(const char* what) {
    throw forms::RuntimeError(forms::ErrorNumber::AutomationError, what);
}

class FakeMediaControl : public media::MediaControl {
public:
    void Open(const std::string& path) override {
        auto& m = state();
        m.calls.push_back("Open");
        m.loadFailureNotice = nullptr;
        if (m.failOpen) fail("Open refused");
        m.opened.push_back(path);
        m.duration = 0;
        m.position = 0;
        m.playState = media::PlayStateOpening;
        if (!m.openLoading) m.FinishLoading();
    }
    void WhenLoadFails(std::function<void()> notice) override {
        state().loadFailureNotice = std::move(notice);
    }
    void Play() override {
        auto& m = state();
        m.calls.push_back("Play");
        if (m.failPlay) fail("Play refused");
        m.playState = media::PlayStatePlaying;
    }
    void Pause() override {
        auto& m = state();
        m.calls.push_back("Pause");
        m.playState = 1;
    }
    void Stop() override {
        auto& m = state();
        m.calls.push_back("Stop");
        if (m.failStop) fail("Stop refused");
        m.playState = 0;
    }
    double CurrentPosition() override {
        auto& m = state();
        if (m.failPosition) fail("Position refused");
        return m.position;
    }
    void SetCurrentPosition(double seconds) override {
        auto& m = state();
        if (m.failPosition) fail("Position refused");
        m.positionsWritten.push_back(seconds);
        m.position = seconds;
    }
    double Duration() override { return state().duration; }
    int PlayState() override { return state().playState; }
    void SetMute(bool on) override {
        auto& m = state();
        m.calls.push_back(on ? "Mute=1" : "Mute=0");
        m.muted = on;
    }
    void SetStartupProperty(int value) override { state().startupProperty = value; }

private:
    static FakeMedia& state() {
        if (!currentMedia()) fail("No fake media installed");
        return *currentMedia();
    }
};
} // namespace

FakeMedia::FakeMedia() { currentMedia() = this; }
FakeMedia::~FakeMedia() {
    if (currentMedia() == this) currentMedia() = nullptr;
}
FakeMedia* FakeMedia::Current() { return currentMedia(); }

void FakeMedia::FinishLoading() {
    playState = media::PlayStatePlaying;
    if (onOpen && !opened.empty()) onOpen(opened.back());
}

void FakeMedia::FailLoading() {
    playState = 0;
    duration = 0;
    position = 0;
    if (auto notice = std::exchange(loadFailureNotice, nullptr)) notice();
}

std::unique_ptr<media::MediaControl> CreateFakeMediaControl() {
    return std::make_unique<FakeMediaControl>();
}

float ScriptedRandom::Rnd() {
    if (draws.empty()) return 0.0f;
    const float r = draws.front();
    draws.pop_front();
    return r;
}

void PopupRecorder::Popup(forms::Form&, forms::Menu& menu) {
    popped.push_back(&menu);
    std::vector<std::string> captions;
    for (forms::Menu* item : menu.Items())
        if (item->MenuVisible()) captions.push_back(item->Caption());
    rows.push_back(captions);
}

} // namespace support

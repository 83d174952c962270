#pragma once
// The media control as a control of a window: it exists while the window is loaded, is never
// seen (it plays audio only), and forwards every member to the back end.
#include "platform/forms/control.h"
#include "platform/media/media_control.h"

#include <functional>
#include <memory>
#include <utility>

namespace media {

class MediaHost : public forms::Control {
public:
    using forms::Control::Control;

    void Open(const std::string& path) { Backend().Open(path); }
    void WhenLoadFails(std::function<void()> notice) { Backend().WhenLoadFails(std::move(notice)); }
    void Play() { Backend().Play(); }
    void Pause() { Backend().Pause(); }
    void Stop() { Backend().Stop(); }
    double CurrentPosition() { return Backend().CurrentPosition(); }
    void SetCurrentPosition(double seconds) { Backend().SetCurrentPosition(seconds); }
    double Duration() { return Backend().Duration(); }
    int PlayState() { return Backend().PlayState(); }
    void SetMute(bool on) { Backend().SetMute(on); }
    void SetStartupProperty(int value) { Backend().SetStartupProperty(value); }

    MediaControl& Backend();

protected:
    QWidget* CreateWidget(QWidget*) override { return nullptr; }
    void Released() override { backend_.reset(); }

private:
    std::unique_ptr<MediaControl> backend_;
};

} // namespace media

#pragma once
// The hidden media control behind the player: what the windows call, nothing more.
// Every member that fails raises forms::RuntimeError in the calling handler.
#include <functional>
#include <memory>
#include <string>

namespace media {

class MediaControl {
public:
    virtual ~MediaControl() = default;

    // Loads the file and starts playing it by itself. Raises when the path does not exist, is
    // a folder, cannot be read, or is found to hold nothing that can be played while Open
    // waits. Open waits only a short while: a file still loading when it returns reads
    // PlayState PlayStateOpening, and Duration and CurrentPosition 0, until it has loaded.
    // A file that has neither loaded nor failed within a longer limit is given up on, and
    // from then on reads like a file that failed: PlayState 0, Duration and position 0.
    virtual void Open(const std::string& path) = 0;
    // Calls NOTICE, from the event loop and never inside another member, when the file opened
    // last, which Open left still loading, turns out to hold nothing that can be played, or is
    // given up on past the limit. The next Open drops it. A back end whose Open never returns
    // before the file has loaded or failed has nothing to report.
    virtual void WhenLoadFails(std::function<void()> /*notice*/) {}
    // Plays on from the current position (after Pause and after Stop alike).
    virtual void Play() = 0;
    // Halts and keeps the position.
    virtual void Pause() = 0;
    // Halts at position 0 and keeps the file loaded.
    virtual void Stop() = 0;

    // Seconds. At the natural end of a file this reads exactly Duration() until the position
    // is written or another file is opened.
    virtual double CurrentPosition() = 0;
    // Moves playback to that second; values below 0 or past the end are survived. Raises when
    // the back end refuses the move there and then.
    virtual void SetCurrentPosition(double seconds) = 0;
    // Seconds; 0 while unknown.
    virtual double Duration() = 0;
    // 2 while playing, 3 while the file opened is still loading.
    virtual int PlayState() = 0;
    virtual void SetMute(bool on) = 0;
    // Written once at start-up; it governs nothing here.
    virtual void SetStartupProperty(int value) = 0;
};

constexpr int PlayStatePlaying = 2;
constexpr int PlayStateOpening = 3;

// Where windows get their media control from; tests install a fake before a window loads.
using MediaFactory = std::unique_ptr<MediaControl> (*)();
void SetMediaFactory(MediaFactory factory);
std::unique_ptr<MediaControl> CreateMediaControl();

} // namespace media

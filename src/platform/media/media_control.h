#pragma once
// The hidden media control behind the player: what the windows call, nothing more.
// Every member that fails raises forms::RuntimeError in the calling handler.
#include <memory>
#include <string>

namespace media {

class MediaControl {
public:
    virtual ~MediaControl() = default;

    // Loads the file and starts playing it by itself, and returns once it is loaded, so that
    // Duration reads its length at once. Raises when the path does not exist, is a folder,
    // cannot be read or holds nothing that can be played. A back end may stop waiting for a
    // file that is slow to load: that file goes on loading, and until it is loaded Duration and
    // CurrentPosition read 0 (which the playback tick takes for the end of a song).
    virtual void Open(const std::string& path) = 0;
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
    // 2 while playing.
    virtual int PlayState() = 0;
    virtual void SetMute(bool on) = 0;
    // Written once at start-up; it governs nothing here.
    virtual void SetStartupProperty(int value) = 0;
};

constexpr int PlayStatePlaying = 2;

// Where windows get their media control from; tests install a fake before a window loads.
using MediaFactory = std::unique_ptr<MediaControl> (*)();
void SetMediaFactory(MediaFactory factory);
std::unique_ptr<MediaControl> CreateMediaControl();

} // namespace media

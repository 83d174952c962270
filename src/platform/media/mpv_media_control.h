#pragma once
// The media control over libmpv, audio only: no window, terminal, key bindings, scripts or
// user configuration of mpv ever comes into play.
//
// Every call runs on the user-interface thread and costs at most a property query to libmpv:
// loading and seeking are sent asynchronously, and what they lead to is read from mpv's event
// queue without waiting, at each call (and, when a Qt application exists, as soon as mpv
// signals that events are waiting).
#include "platform/media/media_control.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct mpv_handle;
struct mpv_event;
class QObject;

namespace media {

struct MpvOptions {
    // mpv's audio output driver ("pulse", "alsa", "null", ...); empty lets libmpv choose.
    std::string audioOutput;
};

class MpvMediaControl : public MediaControl {
public:
    // PlayState values besides PlayStatePlaying (2).
    static constexpr int PlayStateStopped = 0;  // nothing open, a file that failed, or Stop
    static constexpr int PlayStatePaused = 1;
    static constexpr int PlayStateOpening = 3;  // Open was called, the file is not loaded yet
    static constexpr int PlayStateEnded = 8;    // held at the natural end of the file

    // Raises forms::RuntimeError when libmpv cannot be started.
    explicit MpvMediaControl(const MpvOptions& options = {});
    ~MpvMediaControl() override;
    MpvMediaControl(const MpvMediaControl&) = delete;
    MpvMediaControl& operator=(const MpvMediaControl&) = delete;

    // A file that exists and is readable but turns out not to be playable raises nothing:
    // it reads as a file of no length (Duration and CurrentPosition 0, PlayState 0).
    void Open(const std::string& path) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    double CurrentPosition() override;
    // Clamped to 0 .. Duration(); past the end lands exactly at the end. Moving away from the
    // natural end plays on from there, unless Pause or Stop had halted the file.
    void SetCurrentPosition(double seconds) override;
    double Duration() override;
    int PlayState() override;
    void SetMute(bool on) override;
    void SetStartupProperty(int value) override;

private:
    enum class Phase { Empty, Opening, Loaded, Failed };
    // How far mpv has got with our latest seek: the command is queued, then accepted, then
    // executed; playback restarting after that means the position is real again.
    enum class SeekStage { None, Sent, Accepted, Running };

    static void OnWakeup(void* data);
    void DrainEvents();
    void HandleEvent(const mpv_event& event);
    void UpdatePhase();
    void DetectEnd();
    void Refresh();
    void SeekTo(double seconds);  // never raises
    bool HasFile() const { return phase_ == Phase::Opening || phase_ == Phase::Loaded; }

    double ReadDuration();
    bool ReadFlag(const char* name);
    // Raises; what runs on mpv's events uses TryWriteFlag, as nothing may escape into the
    // event loop.
    void WriteFlag(const char* name, bool value);
    int TryWriteFlag(const char* name, bool value);

    struct HandleDeleter {
        void operator()(mpv_handle* handle) const;
    };
    std::unique_ptr<mpv_handle, HandleDeleter> mpv_;
    // Receives the queued calls that drain mpv's events on the user-interface thread.
    std::unique_ptr<QObject> pump_;
    std::atomic<bool> drainPosted_{false};

    uint64_t requestCount_ = 0;
    Phase phase_ = Phase::Empty;
    uint64_t loadRequest_ = 0;
    int64_t entryId_ = -1;  // mpv's playlist entry of the file we opened
    bool entryIdFromNextStart_ = false;
    int64_t startedId_ = -1;
    int64_t loadedId_ = -1;
    int64_t endedId_ = -1;

    std::optional<double> startAt_;  // a position written while the file was still opening
    std::optional<double> seekTarget_;
    SeekStage seekStage_ = SeekStage::None;
    uint64_t seekRequest_ = 0;
    bool resumeWhenSeekDone_ = false;

    bool ended_ = false;
    double endAt_ = 0;  // the duration, held as both position and length once ended_
    bool stopped_ = false;
    // Pause or Stop asked for the halt (as opposed to mpv pausing by itself at the end).
    bool heldByUser_ = false;
    int startupProperty_ = 0;
};

} // namespace media

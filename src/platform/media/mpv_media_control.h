#pragma once
// The media control over libmpv, audio only: no window, terminal, key bindings, scripts or
// user configuration of mpv ever comes into play.
//
// Every call runs on the user-interface thread. Open waits a short while for mpv to load the
// file or fail on it; a seek waits for mpv's answer to the command, not for the move itself.
// Meanwhile only mpv's own events are handled: no Qt event loop runs, so no other handler of
// the program can run inside these calls. Every other call costs at most a property query,
// which mpv's core answers while it loads or lets go of a file. What loading and seeking lead
// to later is read from mpv's event queue without waiting, at each call (and, when a Qt
// application exists, as soon as mpv signals that events are waiting).
#include "platform/media/media_control.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct mpv_handle;
struct mpv_event;
class QObject;

namespace media {

class OutputRecovery;

// How long Open waits for mpv to load a file. A local MP3 takes milliseconds, so a song the
// user picks is loaded, or refused, by the time Open returns. Some files take mpv seconds to
// look through before it refuses them (megabytes of zeros, or of bytes that only look like
// MP3 frames), and so does letting go of such a file; the window is frozen while Open waits,
// so past this bound the file goes on loading while the program runs on.
inline constexpr std::chrono::milliseconds OpenWaitBound{200};
// How long a file may go on loading before it is given up on, so that a file that neither
// loads nor fails does not hold the playlist up for good. Counted from Open, and counted again
// from the moment mpv gets to the file, should letting go of the file before have taken mpv a
// while.
inline constexpr std::chrono::milliseconds LoadingLimit{5000};
// How long a seek waits for mpv's answer, which comes at once unless mpv's core is stuck.
inline constexpr std::chrono::milliseconds SeekAnswerBound{1000};

struct MpvOptions {
    // mpv's audio output driver ("pulse", "alsa", "null", ...); empty lets libmpv choose.
    std::string audioOutput;
    // Tests shorten them to see what a file still loading after Open does, and what giving
    // up on it does.
    std::chrono::milliseconds openWait = OpenWaitBound;
    std::chrono::milliseconds loadingLimit = LoadingLimit;
};

class MpvMediaControl : public MediaControl {
public:
    // PlayState values besides PlayStatePlaying (2).
    static constexpr int PlayStateStopped = 0;  // nothing open, a file that failed, or Stop
    static constexpr int PlayStatePaused = 1;
    static constexpr int PlayStateEnded = 8;    // held at the natural end of the file

    // Raises forms::RuntimeError when libmpv cannot be started.
    explicit MpvMediaControl(const MpvOptions& options = {});
    ~MpvMediaControl() override;
    MpvMediaControl(const MpvMediaControl&) = delete;
    MpvMediaControl& operator=(const MpvMediaControl&) = delete;

    // Returns once mpv has loaded the file, or raises once mpv has failed on it (a file that is
    // no media, or has no audio), or returns past the wait with the file still loading
    // (PlayStateOpening, Duration and CurrentPosition 0). Should it fail later, or not have
    // loaded within the loading limit, it reads as a file of no length (Duration and
    // CurrentPosition 0, PlayState 0); mpv is told to stop a file given up on.
    void Open(const std::string& path) override;
    // The notice is posted to the Qt event loop; without a Qt application it is never given.
    void WhenLoadFails(std::function<void()> notice) override;
    void Play() override;
    void Pause() override;
    void Stop() override;
    double CurrentPosition() override;
    // Clamped to 0 .. Duration(); past the end lands exactly at the end. Moving away from the
    // natural end plays on from there, unless Pause or Stop had halted the file. Raises when
    // mpv refuses the seek, which it does when it has no playback of the file under way (the
    // file has just failed, and the control has not heard of it yet). Whether the move itself
    // succeeds is only known later, and is not reported.
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
    // Handles mpv's events as they come, and nothing else, until done() holds or the bound
    // passes; returns done().
    bool AwaitEvents(const std::function<bool()>& done, std::chrono::milliseconds bound);
    void HandleEvent(const mpv_event& event);
    void UpdatePhase();
    // The file we opened will not play: mpv refused it, it failed, or it was given up on.
    // Stops it in mpv when STOP says so, and posts the load-failure notice if one waits.
    void FileFailed(int error, bool stop);
    void DetectEnd();
    void Refresh();
    // Never raises: what runs on mpv's events seeks too. Returns libmpv's error when the
    // command could not even be queued.
    int SeekTo(double seconds);
    // For calls from a handler: raises when mpv refuses the seek, at once or in its answer.
    void SeekOrRaise(double seconds);
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
    std::chrono::milliseconds openWait_;
    std::chrono::milliseconds loadingLimit_;
    // Receives the queued calls that drain mpv's events on the user-interface thread.
    std::unique_ptr<QObject> pump_;
    std::atomic<bool> drainPosted_{false};

    uint64_t requestCount_ = 0;
    Phase phase_ = Phase::Empty;
    int failure_ = 0;  // mpv's error for the file we opened, once it has failed
    uint64_t loadRequest_ = 0;
    std::chrono::steady_clock::time_point loadingDeadline_{};
    std::function<void()> loadFailureNotice_;
    int64_t entryId_ = -1;  // mpv's playlist entry of the file we opened
    bool entryIdFromNextStart_ = false;
    int64_t startedId_ = -1;
    int64_t loadedId_ = -1;
    int64_t endedId_ = -1;
    int endedError_ = 0;

    std::optional<double> startAt_;  // a position written while the file was still opening
    std::optional<double> seekTarget_;
    SeekStage seekStage_ = SeekStage::None;
    uint64_t seekRequest_ = 0;
    bool resumeWhenSeekDone_ = false;
    int seekRefusal_ = 0;  // mpv's error in its answer to our latest seek

    bool ended_ = false;
    double endAt_ = 0;  // the duration, held as both position and length once ended_
    bool stopped_ = false;
    // Pause or Stop asked for the halt (as opposed to mpv pausing by itself at the end).
    bool heldByUser_ = false;
    int startupProperty_ = 0;
    // Reopens the sound output once the sound server is back; none when told to play to "null".
    std::unique_ptr<OutputRecovery> outputRecovery_;
};

} // namespace media

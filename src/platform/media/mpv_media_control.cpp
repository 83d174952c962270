#include "platform/media/mpv_media_control.h"

#include "platform/media/output_recovery.h"

#include "platform/forms/runtime_error.h"

#include <mpv/client.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <functional>
#include <utility>

namespace media {
namespace {

namespace fs = std::filesystem;
using forms::ErrorNumber;
using forms::RuntimeError;

// Replies to our asynchronous requests carry the request number and its kind.
enum RequestKind : uint64_t { LoadRequest = 1, SeekRequest = 2 };
constexpr uint64_t Tag(uint64_t request, RequestKind kind) { return request << 2 | kind; }
constexpr RequestKind KindOf(uint64_t tag) { return static_cast<RequestKind>(tag & 3); }
constexpr uint64_t RequestOf(uint64_t tag) { return tag >> 2; }

struct Option {
    const char* name;
    const char* value;
};

// Audio only, and nothing of mpv's own user interface or of the user's mpv set-up.
constexpr Option RequiredOptions[] = {
    {"config", "no"},
    {"terminal", "no"},
    {"input-default-bindings", "no"},
    {"vid", "no"},
    {"vo", "null"},
    {"force-window", "no"},
    {"audio-display", "no"},
    {"cover-art-auto", "no"},
    {"sub-auto", "no"},
    {"osd-level", "0"},
    {"ytdl", "no"},
    {"resume-playback", "no"},
    {"save-position-on-quit", "no"},
    // The core must outlive a file that fails, and a finished file stays loaded, paused at
    // its end: that pause is how the end is recognised (see DetectEnd).
    {"idle", "yes"},
    {"keep-open", "yes"},
    {"keep-open-pause", "yes"},
    // Without a working sound device the songs still run their course, silently, so the
    // playlist goes on advancing.
    {"audio-fallback-to-null", "yes"},
    {"audio-client-name", "Corvessa"},
};
// These exist only when libmpv was built with Lua or a matching feature; absent is fine.
constexpr Option OptionalOptions[] = {
    {"input-vo-keyboard", "no"},
    {"osc", "no"},
    {"load-scripts", "no"},
    {"load-stats-overlay", "no"},
    {"load-osd-console", "no"},
    {"load-auto-profiles", "no"},
};

[[noreturn]] void RaiseEngineError(const std::string& what, int mpvError) {
    throw RuntimeError(ErrorNumber::AutomationError, what + ": " + mpv_error_string(mpvError));
}

void SetOption(mpv_handle* mpv, const Option& option, bool required) {
    const int result = mpv_set_option_string(mpv, option.name, option.value);
    if (result < 0 && (required || result != MPV_ERROR_OPTION_NOT_FOUND))
        RaiseEngineError(std::string("Media engine option ") + option.name, result);
}

// libmpv reads the file on its own thread and reports failures late; everything the file
// system can tell at once is raised here, in the caller's handler.
void CheckReadable(const fs::path& path) {
    if (path.empty())
        throw RuntimeError(ErrorNumber::FileNotFound, "No file name given");
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) {
        const fs::path folder = path.parent_path();
        const bool folderExists = folder.empty() || fs::is_directory(folder, error);
        if (!folderExists)
            throw RuntimeError(ErrorNumber::PathNotFound, "Path not found: " + path.string());
        throw RuntimeError(ErrorNumber::FileNotFound, "File not found: " + path.string());
    }
    if (fs::is_directory(status))
        throw RuntimeError(ErrorNumber::FileNotFound, "Is a folder, not a file: " + path.string());
    if (!fs::is_regular_file(status))
        throw RuntimeError(ErrorNumber::FileNotFound, "Not a regular file: " + path.string());
    // Non-blocking, so that a file swapped for a pipe in the meantime cannot hang the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw RuntimeError(ErrorNumber::FileNotFound,
                           "Cannot read " + path.string() + ": " + std::strerror(errno));
    ::close(fd);
}

std::string SecondsText(double seconds) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, seconds);
    return std::string(text, result.ptr);
}

int64_t EntryIdOfReply(const mpv_event_command& reply) {
    if (reply.result.format != MPV_FORMAT_NODE_MAP)
        return -1;
    const mpv_node_list& map = *reply.result.u.list;
    for (int i = 0; i < map.num; ++i) {
        if (std::strcmp(map.keys[i], "playlist_entry_id") == 0 &&
            map.values[i].format == MPV_FORMAT_INT64)
            return map.values[i].u.int64;
    }
    return -1;
}

} // namespace

void MpvMediaControl::HandleDeleter::operator()(mpv_handle* handle) const {
    mpv_terminate_destroy(handle);
}

MpvMediaControl::MpvMediaControl(const MpvOptions& options)
    : openWait_(options.openWait), loadingLimit_(options.loadingLimit) {
    // libmpv refuses to start under a locale whose decimal separator is not a point. The Qt
    // application sets the user's locale when it is constructed, so this is the moment.
    std::setlocale(LC_NUMERIC, "C");
    mpv_.reset(mpv_create());
    if (!mpv_)
        throw RuntimeError(ErrorNumber::AutomationError, "The media engine could not be created");
    for (const Option& option : RequiredOptions)
        SetOption(mpv_.get(), option, true);
    for (const Option& option : OptionalOptions)
        SetOption(mpv_.get(), option, false);
    if (!options.audioOutput.empty())
        SetOption(mpv_.get(), {"ao", options.audioOutput.c_str()}, true);
    if (const int result = mpv_initialize(mpv_.get()); result < 0)
        RaiseEngineError("The media engine could not start", result);
    if (options.audioOutput != "null")
        outputRecovery_ = std::make_unique<OutputRecovery>(
            [mpv = mpv_.get()] { return CurrentOutput(mpv); });

    // Without an application there is no event loop to post to; the calls then drain the
    // events themselves, which is all that tests and tools need.
    if (QCoreApplication::instance()) {
        pump_ = std::make_unique<QObject>();
        mpv_set_wakeup_callback(mpv_.get(), &MpvMediaControl::OnWakeup, this);
    }
}

MpvMediaControl::~MpvMediaControl() {
    // Once this returns, mpv runs no callback of ours any more.
    mpv_set_wakeup_callback(mpv_.get(), nullptr, nullptr);
}

// Called on one of mpv's threads; only posts, at most one drain at a time.
void MpvMediaControl::OnWakeup(void* data) {
    auto* self = static_cast<MpvMediaControl*>(data);
    if (self->drainPosted_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        self->pump_.get(),
        [self] {
            self->drainPosted_ = false;
            self->DrainEvents();
        },
        Qt::QueuedConnection);
}

void MpvMediaControl::DrainEvents() {
    for (;;) {
        const mpv_event* event = mpv_wait_event(mpv_.get(), 0);
        if (event->event_id == MPV_EVENT_NONE)
            break;
        HandleEvent(*event);
    }
    UpdatePhase();
}

bool MpvMediaControl::AwaitEvents(const std::function<bool()>& done,
                                  std::chrono::milliseconds bound) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + bound;
    for (;;) {
        DrainEvents();
        if (done())
            return true;
        const std::chrono::duration<double> left = deadline - Clock::now();
        if (left.count() <= 0)
            return false;
        const mpv_event* event = mpv_wait_event(mpv_.get(), left.count());
        if (event->event_id != MPV_EVENT_NONE)
            HandleEvent(*event);
    }
}

void MpvMediaControl::HandleEvent(const mpv_event& event) {
    switch (event.event_id) {
    case MPV_EVENT_COMMAND_REPLY: {
        const uint64_t request = RequestOf(event.reply_userdata);
        if (KindOf(event.reply_userdata) == LoadRequest && request == loadRequest_) {
            if (event.error < 0) {
                // Nothing of ours was started, so nothing is to be stopped.
                FileFailed(event.error, false);
                break;
            }
            entryId_ = EntryIdOfReply(*static_cast<const mpv_event_command*>(event.data));
            // A libmpv that does not say which entry it made: the next one to start is ours.
            entryIdFromNextStart_ = entryId_ < 0;
        } else if (KindOf(event.reply_userdata) == SeekRequest && request == seekRequest_ &&
                   seekStage_ == SeekStage::Sent) {
            if (event.error < 0) {
                seekTarget_.reset();
                seekStage_ = SeekStage::None;
                seekRefusal_ = event.error;
            } else {
                seekStage_ = SeekStage::Accepted;
            }
        }
        break;
    }
    case MPV_EVENT_START_FILE:
        startedId_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        if (entryIdFromNextStart_) {
            entryId_ = startedId_;
            entryIdFromNextStart_ = false;
        }
        // mpv may take seconds to let go of the file before (it cannot cut short looking
        // through a huge one); that time is not the new file's to answer for.
        if (phase_ == Phase::Opening && startedId_ == entryId_)
            loadingDeadline_ = std::chrono::steady_clock::now() + loadingLimit_;
        break;
    case MPV_EVENT_FILE_LOADED:
        loadedId_ = startedId_;
        break;
    case MPV_EVENT_END_FILE: {
        const auto& end = *static_cast<const mpv_event_end_file*>(event.data);
        endedId_ = end.playlist_entry_id;
        endedError_ = end.error;
        break;
    }
    case MPV_EVENT_SEEK:
        if (seekStage_ == SeekStage::Accepted)
            seekStage_ = SeekStage::Running;
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (seekStage_ == SeekStage::Running) {
            seekTarget_.reset();
            seekStage_ = SeekStage::None;
        }
        break;
    default:
        break;
    }
}

// Acts on what the events said about the file we opened.
void MpvMediaControl::UpdatePhase() {
    if (phase_ == Phase::Opening && std::chrono::steady_clock::now() >= loadingDeadline_) {
        // The playlist is to move on from it as from a file that failed; a user who picked it
        // hears nothing and is told, as of any file that cannot be played.
        FileFailed(0, true);
        return;
    }
    if (!HasFile() || entryId_ < 0)
        return;
    if (resumeWhenSeekDone_ && !seekTarget_) {
        resumeWhenSeekDone_ = false;
        if (!heldByUser_)
            TryWriteFlag("pause", false);
    }
    if (endedId_ == entryId_) {
        // Not playable, or its audio went away. If mpv carries on with something the file
        // pointed to (a playlist in disguise), that is not ours to play.
        FileFailed(endedError_, true);
        return;
    }
    if (phase_ == Phase::Opening && loadedId_ == entryId_) {
        phase_ = Phase::Loaded;
        // The file plays by itself whatever pause the file before it was left in.
        if (!heldByUser_)
            TryWriteFlag("pause", false);
        if (startAt_) {
            SeekTo(*startAt_);
            startAt_.reset();
        }
    }
}

void MpvMediaControl::FileFailed(int error, bool stop) {
    const bool wasLoading = phase_ == Phase::Opening;
    phase_ = Phase::Failed;
    failure_ = error;
    seekTarget_.reset();
    seekStage_ = SeekStage::None;
    if (stop) {
        const char* command[] = {"stop", nullptr};
        mpv_command_async(mpv_.get(), 0, command);
    }
    // Posted, not called: this may run inside any member, and the notice may open a message
    // box, whose nested event loop must not run inside a call of ours. Taken now, so that the
    // notice still comes should another file be opened before the event loop gets to it.
    if (wasLoading && loadFailureNotice_ && pump_)
        QMetaObject::invokeMethod(pump_.get(), std::exchange(loadFailureNotice_, nullptr),
                                  Qt::QueuedConnection);
}

// With keep-open, mpv flags the end as soon as the decoder runs dry, while the output may
// still be playing the last fraction of a second; it pauses once that has been heard. Only
// then is the file at its end, and from then on position and length read the same double.
void MpvMediaControl::DetectEnd() {
    if (phase_ != Phase::Loaded || ended_ || seekTarget_)
        return;
    if (ReadFlag("eof-reached") && ReadFlag("pause")) {
        endAt_ = ReadDuration();
        ended_ = true;
    }
}

void MpvMediaControl::Refresh() {
    DrainEvents();
    DetectEnd();
    // Not at the end: the reload would stir the output of a file held paused there.
    if (outputRecovery_ && phase_ == Phase::Loaded && !ended_)
        RecoverOutput(mpv_.get(), *outputRecovery_, false);
}

int MpvMediaControl::SeekTo(double seconds) {
    const double duration = ReadDuration();
    double target = std::isnan(seconds) ? 0.0 : std::max(0.0, seconds);
    if (duration > 0)
        target = std::min(target, duration);
    const std::string text = SecondsText(target);
    const char* seek[] = {"seek", text.c_str(), "absolute+exact", nullptr};
    seekRequest_ = ++requestCount_;
    if (const int result = mpv_command_async(mpv_.get(), Tag(seekRequest_, SeekRequest), seek);
        result < 0)
        return result;
    // mpv paused itself at the end; nobody asked for that halt, so leaving the end plays on.
    // The seek is queued first: unpaused while still at the end, mpv pauses again. Should it
    // do so all the same before the seek is carried out, the unpause is repeated after it.
    resumeWhenSeekDone_ = ended_ && !heldByUser_;
    if (resumeWhenSeekDone_)
        TryWriteFlag("pause", false);
    ended_ = false;
    seekTarget_ = target;
    seekStage_ = SeekStage::Sent;
    seekRefusal_ = 0;
    return 0;
}

// mpv answers a seek as soon as its core takes the command, well before the move is carried
// out; the answer says whether it had a playback to move at all.
void MpvMediaControl::SeekOrRaise(double seconds) {
    if (const int result = SeekTo(seconds); result < 0)
        RaiseEngineError("The media engine refused the seek", result);
    AwaitEvents([this] { return seekStage_ != SeekStage::Sent; }, SeekAnswerBound);
    if (seekRefusal_ < 0)
        RaiseEngineError("The media engine refused the seek", seekRefusal_);
}

void MpvMediaControl::Open(const std::string& path) {
    // Whatever the file before did from now on, the user has moved on from it.
    loadFailureNotice_ = nullptr;
    CheckReadable(path);
    DrainEvents();
    // An absolute path can never be taken for a URL or an mpv option.
    std::error_code error;
    const std::string absolute = fs::absolute(path, error).lexically_normal().string();
    if (error)
        throw RuntimeError(ErrorNumber::PathNotFound, "Path not found: " + path);

    phase_ = Phase::Opening;
    failure_ = 0;
    entryId_ = -1;
    entryIdFromNextStart_ = false;
    startAt_.reset();
    seekTarget_.reset();
    seekStage_ = SeekStage::None;
    ended_ = false;
    stopped_ = false;
    heldByUser_ = false;
    resumeWhenSeekDone_ = false;

    loadRequest_ = ++requestCount_;
    loadingDeadline_ = std::chrono::steady_clock::now() + loadingLimit_;
    const char* load[] = {"loadfile", absolute.c_str(), "replace", nullptr};
    if (const int result = mpv_command_async(mpv_.get(), Tag(loadRequest_, LoadRequest), load);
        result < 0) {
        phase_ = Phase::Failed;
        RaiseEngineError("The media engine refused " + path, result);
    }
    // Pause is mpv's global state, and the previous file may have left it paused at its end.
    // Only once the load is queued: unpaused while still at that end, mpv pauses again.
    WriteFlag("pause", false);
    // libmpv keeps its output from file to file, a silent one too.
    if (outputRecovery_)
        RecoverOutput(mpv_.get(), *outputRecovery_, true);

    // Only loading tells whether mpv can play the file at all, and a song the user picked
    // should be refused here, where the caller can say so. Most files take milliseconds.
    AwaitEvents([this] { return phase_ != Phase::Opening; }, openWait_);
    if (phase_ == Phase::Failed)
        throw RuntimeError(ErrorNumber::AutomationError,
                           "The media engine cannot play " + path + ": " +
                               (failure_ < 0 ? mpv_error_string(failure_) : "nothing to play"));
}

void MpvMediaControl::WhenLoadFails(std::function<void()> notice) {
    loadFailureNotice_ = std::move(notice);
}

void MpvMediaControl::Play() {
    Refresh();
    // At the end there is nothing left to play on; mpv would only pause again.
    if (!HasFile() || ended_)
        return;
    stopped_ = false;
    heldByUser_ = false;
    WriteFlag("pause", false);
}

void MpvMediaControl::Pause() {
    Refresh();
    if (!HasFile())
        return;
    heldByUser_ = true;
    WriteFlag("pause", true);
}

void MpvMediaControl::Stop() {
    Refresh();
    if (!HasFile())
        return;
    WriteFlag("pause", true);
    stopped_ = true;
    heldByUser_ = true;
    if (phase_ == Phase::Opening)
        startAt_.reset();
    else
        SeekOrRaise(0);
}

double MpvMediaControl::CurrentPosition() {
    Refresh();
    switch (phase_) {
    case Phase::Empty:
    case Phase::Failed:
        return 0;
    case Phase::Opening:
        return startAt_.value_or(0);
    case Phase::Loaded:
        break;
    }
    if (ended_)
        return endAt_;
    // Until mpv has carried out a seek, it still reports where it was before.
    if (seekTarget_)
        return *seekTarget_;
    double position = 0;
    if (mpv_get_property(mpv_.get(), "time-pos", MPV_FORMAT_DOUBLE, &position) < 0 ||
        !std::isfinite(position))
        return 0;
    // max also turns mpv's -0.0 at the start into 0.
    position = std::max(0.0, position);
    const double duration = ReadDuration();
    return duration > 0 ? std::min(position, duration) : position;
}

void MpvMediaControl::SetCurrentPosition(double seconds) {
    Refresh();
    if (phase_ == Phase::Opening)
        startAt_ = std::isnan(seconds) ? 0.0 : std::max(0.0, seconds);
    else if (phase_ == Phase::Loaded)
        SeekOrRaise(seconds);
}

double MpvMediaControl::Duration() {
    Refresh();
    if (phase_ != Phase::Loaded)
        return 0;
    return ended_ ? endAt_ : ReadDuration();
}

int MpvMediaControl::PlayState() {
    Refresh();
    switch (phase_) {
    case Phase::Empty:
    case Phase::Failed:
        return PlayStateStopped;
    case Phase::Opening:
        return PlayStateOpening;
    case Phase::Loaded:
        break;
    }
    if (ended_)
        return PlayStateEnded;
    if (stopped_)
        return PlayStateStopped;
    return ReadFlag("pause") ? PlayStatePaused : PlayStatePlaying;
}

void MpvMediaControl::SetMute(bool on) {
    WriteFlag("mute", on);
}

void MpvMediaControl::SetStartupProperty(int value) {
    startupProperty_ = value;
}

double MpvMediaControl::ReadDuration() {
    double duration = 0;
    if (mpv_get_property(mpv_.get(), "duration", MPV_FORMAT_DOUBLE, &duration) < 0 ||
        !std::isfinite(duration) || duration < 0)
        return 0;
    return duration;
}

bool MpvMediaControl::ReadFlag(const char* name) {
    int flag = 0;
    return mpv_get_property(mpv_.get(), name, MPV_FORMAT_FLAG, &flag) >= 0 && flag != 0;
}

int MpvMediaControl::TryWriteFlag(const char* name, bool value) {
    int flag = value ? 1 : 0;
    return mpv_set_property(mpv_.get(), name, MPV_FORMAT_FLAG, &flag);
}

void MpvMediaControl::WriteFlag(const char* name, bool value) {
    if (const int result = TryWriteFlag(name, value); result < 0)
        RaiseEngineError(std::string("The media engine refused ") + name, result);
}

} // namespace media

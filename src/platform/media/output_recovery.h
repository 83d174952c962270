#pragma once
// Brings the sound back after the sound server (PulseAudio, or PipeWire through its PulseAudio
// socket) has gone away and come back: a restart, a change of output, a resume from suspend.
//
// When the server goes away mid-song, libmpv drops to its "null" output and the song runs on
// in silence, which is what we want while there is no server. But libmpv stays on "null" when
// the server returns, and keeps that output for every later file too. So whenever libmpv is
// found on "null" while a server listens again, it is asked to reopen its output
// (`ao-reload`), which picks the server up. Nothing here waits: the check of the server is a
// non-blocking connect, and the reload is sent asynchronously.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

struct mpv_handle;

namespace media {

// The unix sockets at which a PulseAudio or PipeWire client would look for its server, from
// the environment of this process. A server named in a form that cannot be checked here (TCP,
// say) gives an empty path, which counts as listening.
std::vector<std::string> SoundServerSockets();
// True when something accepts connections at the unix socket PATH; a socket file left by a
// server that died does not count.
bool SocketListens(const std::string& path);
// True when a sound server is likely to answer at one of SoundServerSockets().
bool SoundServerListens();

// When to ask libmpv to reopen its output. Apart from an Open, it looks at most once a second,
// and gives libmpv time to settle after each reload; a server that listens but whose output
// still cannot be opened is tried again less and less often.
class OutputRecovery {
public:
    using Clock = std::chrono::steady_clock;
    // libmpv's output driver as current-ao names it; empty while it has none.
    using OutputProbe = std::function<std::string()>;
    using ServerProbe = std::function<bool()>;

    explicit OutputRecovery(OutputProbe currentOutput,
                            ServerProbe serverListens = &SoundServerListens);

    // Whether to reload now. OPENING is true when a file is being opened: the new song is to
    // be heard, so the pauses between looks do not hold it back.
    bool ShouldReload(bool opening, Clock::time_point now);

    static constexpr std::chrono::milliseconds LookInterval{1000};
    static constexpr std::chrono::milliseconds FirstRetry{3000};
    static constexpr std::chrono::milliseconds LongestRetry{60000};

private:
    OutputProbe currentOutput_;
    ServerProbe serverListens_;
    Clock::time_point nextLook_{};
    std::chrono::milliseconds retry_ = FirstRetry;
};

// libmpv's current output driver; empty while it has none.
std::string CurrentOutput(mpv_handle* mpv);
// Sends `ao-reload` when RECOVERY says so. Never raises, never waits for libmpv to carry the
// reload out.
void RecoverOutput(mpv_handle* mpv, OutputRecovery& recovery, bool opening);

} // namespace media

#include "platform/media/output_recovery.h"

#include <mpv/client.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <utility>

namespace media {
namespace {

// libmpv's output of last resort, the one it plays to when no device opens.
constexpr const char* SilentOutput = "null";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// One entry of PULSE_SERVER: "unix:/path", "/path", either with a "{machine id}" in front, or
// something that is not a local socket ("tcp:host", "host"), which gives an empty path.
std::string SocketOfPulseAddress(std::string address) {
    if (!address.empty() && address.front() == '{') {
        const auto close = address.find('}');
        address = close == std::string::npos ? "" : address.substr(close + 1);
    }
    if (address.rfind("unix:", 0) == 0)
        return address.substr(5);
    if (!address.empty() && address.front() == '/')
        return address;
    return "";
}

} // namespace

std::vector<std::string> SoundServerSockets() {
    std::vector<std::string> sockets;
    const std::string runtime = Environment("XDG_RUNTIME_DIR");

    // PulseAudio, or PipeWire's PulseAudio server: a client looks only where PULSE_SERVER
    // says, when it says anything.
    if (const std::string named = Environment("PULSE_SERVER"); !named.empty()) {
        std::istringstream entries(named);
        for (std::string entry; entries >> entry;)
            sockets.push_back(SocketOfPulseAddress(entry));
    } else {
        if (const std::string own = Environment("PULSE_RUNTIME_PATH"); !own.empty())
            sockets.push_back(own + "/native");
        else if (!runtime.empty())
            sockets.push_back(runtime + "/pulse/native");
        sockets.push_back("/var/run/pulse/native");
    }

    // PipeWire's own socket, which libmpv's pipewire output tries first.
    std::string remote = Environment("PIPEWIRE_REMOTE");
    if (remote.empty())
        remote = "pipewire-0";
    if (remote.front() == '/') {
        sockets.push_back(remote);
    } else {
        std::string folder = Environment("PIPEWIRE_RUNTIME_DIR");
        if (folder.empty())
            folder = runtime;
        if (!folder.empty())
            sockets.push_back(folder + "/" + remote);
    }
    return sockets;
}

bool SocketListens(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    // Non-blocking: a listener whose queue is full must not hold the caller up. A connect on a
    // unix socket is decided at once; "in progress" means someone listens.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    const bool listens = result == 0 || errno == EINPROGRESS || errno == EAGAIN;
    ::close(fd);
    return listens;
}

bool SoundServerListens() {
    const std::vector<std::string> sockets = SoundServerSockets();
    return std::any_of(sockets.begin(), sockets.end(), [](const std::string& path) {
        return path.empty() || SocketListens(path);
    });
}

OutputRecovery::OutputRecovery(OutputProbe currentOutput, ServerProbe serverListens)
    : currentOutput_(std::move(currentOutput)), serverListens_(std::move(serverListens)) {}

bool OutputRecovery::ShouldReload(bool opening, Clock::time_point now) {
    if (!opening && now < nextLook_)
        return false;
    nextLook_ = now + LookInterval;
    const std::string output = currentOutput_();
    if (output != SilentOutput) {
        // A device plays (or libmpv is between outputs): the next loss starts afresh.
        if (!output.empty())
            retry_ = FirstRetry;
        return false;
    }
    if (!serverListens_())
        return false;
    nextLook_ = now + retry_;
    retry_ = std::min(retry_ * 2, LongestRetry);
    return true;
}

std::string CurrentOutput(mpv_handle* mpv) {
    char* name = mpv_get_property_string(mpv, "current-ao");
    std::string output = name ? name : "";
    mpv_free(name);
    return output;
}

void RecoverOutput(mpv_handle* mpv, OutputRecovery& recovery, bool opening) {
    if (!recovery.ShouldReload(opening, OutputRecovery::Clock::now()))
        return;
    const char* reload[] = {"ao-reload", nullptr};
    mpv_command_async(mpv, 0, reload);
}

} // namespace media

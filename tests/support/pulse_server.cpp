#include "pulse_server.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>

namespace support {

PulseServer::PulseServer(const std::string& name) {
    std::string pattern = "/tmp/corvessa-" + name + "-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) return;
    folder_ = pattern;
    // The server also ends with this process, should it die before its clean-up.
    const ShellResult started = RunShell(Script("start") + " " + std::to_string(getpid()));
    if (started.status != 0) return;
    std::istringstream lines(started.output);
    for (std::string line; std::getline(lines, line);) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        environment_.push_back(std::make_unique<ScopedEnv>(key, value));
        if (key == "PULSE_SERVER") server_ = value;
        if (key == "PULSE_SINK") sink_ = value;
    }
}

PulseServer::~PulseServer() { Stop(); }

bool PulseServer::Stop() {
    // Put back in reverse, so a variable printed twice ends as it was before.
    while (!environment_.empty()) environment_.pop_back();
    if (folder_.empty()) return true;
    const bool stopped = RunShell(Script("stop")).status == 0;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    folder_.clear();
    return stopped;
}

std::vector<long> PulseServer::SinkVolume() const {
    const ShellResult shown =
        RunShell("PULSE_SERVER=" + Quoted(server_) + " pactl get-sink-volume " + Quoted(sink_));
    std::vector<long> channels;
    static const std::regex channel(R"(: (\d+) /)");
    for (std::sregex_iterator it(shown.output.begin(), shown.output.end(), channel), end;
         it != end; ++it) {
        channels.push_back(std::stol((*it)[1].str()));
    }
    return channels;
}

int PulseServer::SetSinkVolume(long left, long right) const {
    return RunShell("PULSE_SERVER=" + Quoted(server_) + " pactl set-sink-volume " + Quoted(sink_) +
                    " " + std::to_string(left) + " " + std::to_string(right))
        .status;
}

std::string PulseServer::Script(const std::string& verb) const {
    return "bash " + Quoted((ToolsDir() / "pulse_server.sh").string()) + " " + verb + " " +
           Quoted(folder_);
}

} // namespace support

#pragma once
// A private PulseAudio server with one null sink, started by tests/tools/pulse_server.sh in a
// temporary folder for as long as the object lives.
//
// The server's environment (PULSE_SERVER, PULSE_SINK, ...) is set for this whole process at
// construction and put back at destruction. ALSA decides once per process, when it first reads
// its config, whether "default" goes to PulseAudio, and only while PULSE_SERVER answers: make
// the server before this process's first ALSA call.
#include "test_tools.h"

#include <memory>
#include <string>
#include <vector>

namespace support {

class PulseServer {
public:
    // name tells the temporary folder from other tests' ones.
    explicit PulseServer(const std::string& name);
    ~PulseServer();
    PulseServer(const PulseServer&) = delete;
    PulseServer& operator=(const PulseServer&) = delete;

    // Whether the server started and told where to reach it and its sink.
    bool Up() const { return !server_.empty() && !sink_.empty(); }
    const std::string& Folder() const { return folder_; }
    const std::string& Server() const { return server_; }
    const std::string& Sink() const { return sink_; }
    // An address in the server's folder at which nobody answers.
    std::string DeadServer() const { return "unix:" + folder_ + "/no-server-here"; }

    // The sink's raw volume per channel (65536 is 100 %), always asked of this server whatever
    // PULSE_SERVER says now; empty if it cannot be read.
    std::vector<long> SinkVolume() const;
    // Sets the sink's channels; pactl's exit status.
    int SetSinkVolume(long left, long right) const;

    // Stops the server and removes its folder; true if the stop went well. The destructor
    // does it if nobody has.
    bool Stop();

private:
    std::string Script(const std::string& verb) const;

    std::string folder_;
    std::string server_;
    std::string sink_;
    std::vector<std::unique_ptr<ScopedEnv>> environment_;
};

} // namespace support

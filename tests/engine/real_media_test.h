#pragma once
// The main window on the real libmpv back end with mpv's silent "null" output, and short MP3
// tones made for the run in a temporary folder.
#include "engine_window_test.h"
#include "platform/media/mpv_media_control.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace enginetest {

inline std::unique_ptr<media::MediaControl> CreateSilentMpv() {
    return std::make_unique<media::MpvMediaControl>(media::MpvOptions{"null"});
}

// The folder of make_mp3.sh: as CTest passes it, else found from this file's place.
inline std::string TestToolsFolder() {
    if (const char* tools = std::getenv("CORVESSA_TEST_TOOLS"); tools && *tools) return tools;
    return (std::filesystem::path(__FILE__).parent_path() / "../tools").lexically_normal().string();
}

class RealMediaTest : public EngineWindowTest {
protected:
    void BeforeLoad() override { media::SetMediaFactory(&CreateSilentMpv); }

    std::string Path(const std::string& name) {
        return folder.filePath(QString::fromStdString(name)).toStdString();
    }
    // Writes a sine tone of that length; true when the tools made it.
    bool MakeSong(const std::string& name, double seconds, int hertz) {
        const std::string command = "\"" + TestToolsFolder() + "/make_mp3.sh\" \"" + Path(name) +
                                    "\" " + std::to_string(seconds) + " " + std::to_string(hertz);
        return folder.isValid() && std::system(command.c_str()) == 0;
    }

    QTemporaryDir folder;
};

} // namespace enginetest

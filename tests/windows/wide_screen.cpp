// The window tests run on an offscreen screen that is wider than high, so that a measured height
// and width swapped by mistake cannot pass for each other (Qt's default offscreen screen is
// square). Set up before any test makes the application.
#include <QByteArray>
#include <QtGlobal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

class WideOffscreenScreen {
public:
    WideOffscreenScreen() {
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
        if (!platform.isEmpty() && platform != "offscreen") return;
        path_ = std::filesystem::temp_directory_path() /
                ("corvessa-test-screen-" + std::to_string(getpid()) + ".json");
        std::FILE* file = std::fopen(path_.c_str(), "w");
        if (!file) return;
        std::fputs(R"({ "screens": [ { "name": "wide", "x": 0, "y": 0, "width": 1280,)"
                   R"( "height": 720, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })",
                   file);
        std::fclose(file);
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + path_.c_str());
    }
    ~WideOffscreenScreen() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove(path_, ignored);
    }

private:
    std::filesystem::path path_;
};

const WideOffscreenScreen wideScreen;

} // namespace

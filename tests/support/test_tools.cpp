#include "test_tools.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>

namespace support {

std::filesystem::path ToolsDir() {
    if (const char* tools = std::getenv("CORVESSA_TEST_TOOLS"); tools != nullptr && *tools != '\0')
        return tools;
    return (std::filesystem::path(__FILE__).parent_path() / "../tools").lexically_normal();
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ShellResult RunShell(const std::string& command) {
    ShellResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t read = 0;
    while ((read = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, read);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool MakeMp3(const std::string& path, double seconds, int hertz) {
    const std::string command = "bash " + Quoted((ToolsDir() / "make_mp3.sh").string()) + " " +
                                Quoted(path) + " " + std::to_string(seconds) + " " +
                                std::to_string(hertz);
    return RunShell(command).status == 0 && std::filesystem::exists(path);
}

ScopedEnv::ScopedEnv(const std::string& name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name.c_str())) old_ = old;
    setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
    if (old_) setenv(name_.c_str(), old_->c_str(), 1);
    else unsetenv(name_.c_str());
}

} // namespace support

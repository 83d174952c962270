#pragma once
// Helpers for tests (and benchmarks) that reach outside the process: the shell scripts in
// tests/tools, commands whose output is read back, and environment variables set for a while.
#include <filesystem>
#include <optional>
#include <string>

namespace support {

// The folder of the shell tools: $CORVESSA_TEST_TOOLS as CTest passes it, else tests/tools
// found from this source's place in the tree (a test program run by hand).
std::filesystem::path ToolsDir();

// The text as one single-quoted shell word, whatever it holds.
std::string Quoted(const std::string& text);

struct ShellResult {
    int status = -1;  // the exit status; -1 if the shell could not be run or was killed
    std::string output;
};

// Runs a command with sh; standard error goes where this process's goes.
ShellResult RunShell(const std::string& command);

// Writes a sine tone of that length as an MP3 with make_mp3.sh; true when the file is there.
bool MakeMp3(const std::string& path, double seconds, int hertz);

// Sets an environment variable of this process until destroyed, then puts back what was there
// before, or unsets it.
class ScopedEnv {
public:
    ScopedEnv(const std::string& name, const std::string& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

} // namespace support

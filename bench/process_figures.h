#pragma once
// What a benchmark program reports about its own process: CPU time of all its threads, and
// its peak resident memory.
#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace bench {

// User plus system seconds so far, every thread included.
inline double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The peak resident set (VmHWM) in KiB; -1 when the kernel does not say.
inline long PeakKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmHWM:") {
            status >> value;
            return value;
        }
        status.ignore(4096, '\n');
    }
    return -1;
}

// One line that bench/cost.sh reads: the stretch measured, then the whole process so far.
inline void PrintFigures(const char* what, double cpu, double wallSeconds) {
    std::printf("%s: cpu_s=%.3f wall_s=%.3f whole_cpu_s=%.3f peak_kib=%ld\n", what, cpu,
                wallSeconds, CpuSeconds(), PeakKiB());
    std::fflush(stdout);
}

} // namespace bench

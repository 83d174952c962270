#pragma once
// Files named .mp3 that are no song, yet take libmpv seconds to look through before it refuses
// them; made at run time, in a fraction of a second, for tests and benchmarks.
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>

namespace support {

enum class SlowBadFile {
    Zeros,         // nothing but zero bytes: about 1.5 s to refuse 20 MB
    FrameHeaders,  // an MPEG-1 Layer III frame header (FF FB 90 64) over and over: over 7 s
};

// Writes BYTES bytes of that kind; true when the file is there in full.
inline bool WriteSlowBadFile(const std::string& path, SlowBadFile kind,
                             std::size_t bytes = 20'000'000) {
    std::string block(64 * 1024, '\0');
    if (kind == SlowBadFile::FrameHeaders) {
        const char header[] = {'\xFF', '\xFB', '\x90', '\x64'};
        for (std::size_t i = 0; i < block.size(); ++i) block[i] = header[i % 4];
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    for (std::size_t left = bytes; left > 0 && out;) {
        const std::size_t part = std::min(left, block.size());
        out.write(block.data(), static_cast<std::streamsize>(part));
        left -= part;
    }
    return static_cast<bool>(out.flush());
}

} // namespace support

#pragma once
// The shared module: the song table, which the loader fills and the engine reads, and the
// lookup of the speakers' volume control.
#include "platform/mixer/mixer.h"

#include <array>
#include <cstdint>
#include <string>

namespace Module1 {

struct SongRecord {
    std::string FullPath;  // folder, one separator, file name; empty: no song
    std::string Field2;    // never written or read
    std::string Field3;    // never written or read
};

constexpr int SongTableLast = 12500;

// 12,501 records, indices 0 to 12,500. Every access checks the index: one outside that range
// is a run-time error at the place of access.
class SongTableType {
public:
    SongRecord& operator()(int index);
    void Reset();  // empties every record (tests start from a fresh table)

private:
    std::array<SongRecord, SongTableLast + 1> records_;
};

extern SongTableType SongTable;

// Fills control with the first control of controlType on the line of componentType of the
// mixer device; true only when both lookups succeed. control is untouched on failure.
bool LookupVolumeControl(uint32_t mixerId, uint32_t componentType, uint32_t controlType,
                         mixer::MixerControl& control);

} // namespace Module1

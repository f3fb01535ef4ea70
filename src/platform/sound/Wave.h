#pragma once
// WAV data: a RIFF file holding one "fmt " chunk (16-bit PCM) and one "data" chunk. The sounds
// the project builds use exactly the 44-byte layout below; Parse also accepts further chunks.
//
//   0 "RIFF"  4 u32 file size - 8  8 "WAVE"
//  12 "fmt "  16 u32 16  20 u16 1 (PCM)  22 u16 channels  24 u32 rate  28 u32 bytes/s
//  32 u16 block align  34 u16 bits (16)
//  36 "data"  40 u32 data bytes  44 samples, little-endian signed 16-bit
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace plat {

struct WaveInfo {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataBytes = 0;
    uint32_t dataOffset = 0;

    // The playing time, rounded up to whole milliseconds.
    uint32_t DurationMs() const;
};

// The 44-byte-header WAV file of mono 16-bit samples at `sampleRate`.
std::vector<uint8_t> BuildMonoWave(std::span<const int16_t> samples, uint32_t sampleRate);

// The format of WAV data; nothing when it is not 16-bit PCM WAV or a chunk runs past the end.
std::optional<WaveInfo> ParseWave(std::span<const uint8_t> bytes);

}  // namespace plat

#pragma once
// The touch tones of the device: sound resources 171 to 182, built by the program itself. Each is
// a 16-bit mono PCM WAV at 8000 samples per second (Wave.h), kDtmfToneMs long, the sum of the
// key's row and column frequencies at equal level, with a 5 ms fade in and out so it starts and
// ends without a click.
//
//   resource  171 172 173 174 175 176 177 178 179 180 181 182
//   key        9   0   1   2   3   4   5   6   7   8   *   #
#include <cstdint>
#include <optional>
#include <vector>

namespace plat {

inline constexpr uint32_t kFirstToneResource = 171, kLastToneResource = 182;
inline constexpr uint32_t kDtmfSampleRate = 8000;
inline constexpr uint32_t kDtmfToneMs = 160;

struct DtmfPair {
    uint16_t low;   // row frequency, Hz
    uint16_t high;  // column frequency, Hz
};

// The key a tone resource stands for ('0'-'9', '*', '#'); 0 for any other number.
char16_t ToneKey(uint32_t resource);
// The frequency pair of a tone resource; nothing for any other number.
std::optional<DtmfPair> ToneFrequencies(uint32_t resource);
// The WAV data of a tone resource; empty for any other number.
std::vector<uint8_t> ToneWave(uint32_t resource);

}  // namespace plat

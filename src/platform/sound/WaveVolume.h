#pragma once
// The wave output volume of the device: the low word is the left channel, the high word the
// right (0 silent, 0xFFFF loudest). It is kept in the device registry, HKCU
// "Software\Brevane\Platform", REG_DWORD "WaveVolume"; a missing value, or one of another type,
// reads as 0xFFFFFFFF (both channels loudest), as a new device comes.
#include <cstdint>
#include <string_view>

namespace plat {

inline constexpr std::u16string_view kWaveVolumeValue = u"WaveVolume";
inline constexpr uint32_t kDefaultWaveVolume = 0xFFFFFFFF;

uint32_t GetWaveVolume();
// False when the registry cannot be written.
[[nodiscard]] bool SetWaveVolume(uint32_t volume);

}  // namespace plat

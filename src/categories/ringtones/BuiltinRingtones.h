#pragma once
// The ringtones a new device comes with, so that the ringtone picker offers something on a fresh
// device: a few short tones built here (16-bit mono PCM WAV at kBuiltinRingtoneRate, Wave.h), no
// recorded sound, written into the first of the device's sound folders. Each is a sequence of
// notes of one or two sine frequencies, every note faded in and out over 5 ms so it starts and ends
// without a click.
#include <cstdint>
#include <string_view>
#include <vector>

namespace plat {
class Device;
}

inline constexpr std::u16string_view kBuiltinRingtoneFolder = u"\\Windows\\Rings";
inline constexpr uint32_t kBuiltinRingtoneRate = 16000;

// The file names of the built-in ringtones ("Ring Classic.wav", ...).
std::vector<std::u16string_view> BuiltinRingtoneNames();
// The WAV data of the built-in ringtone `index` (of BuiltinRingtoneNames); empty for another index.
std::vector<uint8_t> BuiltinRingtoneWave(size_t index);

// Writes the built-in ringtones into kBuiltinRingtoneFolder of `device`. A file already under one
// of their names is kept as it is, whatever it holds, and a file appears whole or not at all. False
// when one could not be written.
[[nodiscard]] bool InstallBuiltinRingtones(const plat::Device& device);

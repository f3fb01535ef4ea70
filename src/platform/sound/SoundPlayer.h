#pragma once
// Playing the device's sounds. Every sound played is written to the device's program log
// (coredll.dll, PlaySound, the sound's name, its length in ms). On a device set to use the
// desktop, with a host player (paplay or aplay) on PATH, it is also heard through that player;
// otherwise the call takes the sound's playing time through the sleeper, so the timing seen by
// the caller is the same either way.
#include <cstdint>
#include <span>
#include <string_view>

namespace plat {

// Waits on behalf of the sound code. Tests put in one that moves the test clock, so a sequence of
// tones and pauses runs at once and its timing is still checked.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The sleeper that really waits.
Sleeper& RealSleeper();

// Plays WAV data (Wave.h) to its end. False, with nothing logged or played, when the data is not
// 16-bit PCM WAV.
[[nodiscard]] bool PlaySoundData(std::u16string_view name, std::span<const uint8_t> wav, Sleeper& sleeper);

// Starts playing WAV data and returns at once (a preview the user may interrupt by starting the
// next one): logged as PlaySoundData logs it; heard through the host player on a device that uses
// the desktop, where a sound this call started before is stopped first. False, with nothing
// logged or played, when the data is not 16-bit PCM WAV.
[[nodiscard]] bool StartSoundData(std::u16string_view name, std::span<const uint8_t> wav);

}  // namespace plat

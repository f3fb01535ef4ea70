#pragma once
// Tone dialling: a number played as touch tones through the loudspeaker.
#include <cstdint>
#include <string_view>

namespace plat {
class Sleeper;
}

inline constexpr uint32_t kPauseMs = 900;    // a "," in the number
inline constexpr uint32_t kToneGapMs = 100;  // between two tones in a row

// The tone resource of a dial character ('0'-'8': 172-180, '9': 171, '*': 181, '#': 182); 0 for
// any other character.
uint32_t ToneResourceOf(char16_t c);

// Plays each tone to its end, a 100 ms pause in front of a tone that follows another tone, 900 ms
// for each ",", other characters skipped. When both channels of the wave volume are below
// 0x7FFF the volume is 0x7FFF7FFF while the tones play and is put back afterwards.
void PlayTones(std::u16string_view number, plat::Sleeper& sleeper);

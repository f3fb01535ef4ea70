#pragma once
// On a device that hands calls and messages to the host computer, a request the host has no
// program for would otherwise vanish: the user is told which programs would take it.
#include <cstdint>
#include <string_view>

namespace hosthandlers {

inline constexpr uint32_t kNoCallProgram = 44200;
inline constexpr uint32_t kNoSmsProgram = 44201;

// When the device uses the desktop and no host program takes addresses of `scheme` ("tel" or
// "sms"), shows the box naming the programs that would (string kNoCallProgram or kNoSmsProgram).
// True when the box was shown.
[[nodiscard]] bool SayWhenNoHostProgram(std::string_view scheme);

}  // namespace hosthandlers

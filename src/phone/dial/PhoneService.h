#pragma once
// The phone's own call service: PhoneMakeCall of the device library \Windows\phone.dll, and the
// platform's phone program that must be running for a call.
#include <cstdint>
#include <optional>
#include <string_view>

namespace plat {
class Sleeper;
}

inline constexpr std::u16string_view kPhoneLibrary = u"phone.dll";
inline constexpr std::u16string_view kPhoneProgram = u"cprog.exe";
inline constexpr uint32_t kPhoneProgramWaitMs = 2000;
inline constexpr uint32_t kPhoneProgramPollMs = 100;

// Whether the current device's phone.dll loads and exports PhoneMakeCall.
[[nodiscard]] bool PhoneCallAvailable();

// Places a call through PhoneMakeCall with the call-information block (PhoneAbi.h: its size,
// flags 0, the number, no application name, the called party, no comment; an empty called party
// is passed as none). The library is loaded on the first call of a device and kept loaded. Nothing
// when the library or its PhoneMakeCall is missing; otherwise PhoneMakeCall's result.
std::optional<int32_t> PhoneMakeCall(std::u16string_view number, std::u16string_view calledParty);

// Starts the phone program when no window of class "MSCprog" exists; then, when `waitMs` is not
// 0, looks every 100 ms (waiting through `sleeper`) for a window of class "MSCProg": true once
// there is one, false after `waitMs`. With `waitMs` 0 the result is whether the program was
// running or could be started.
[[nodiscard]] bool EnsurePhoneProgram(uint32_t waitMs, plat::Sleeper& sleeper);

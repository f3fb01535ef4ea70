#pragma once
// How a call is placed. The method is stored as the setting DialupMode (section "Settings") by
// its command number.
#include <cstdint>

inline constexpr uint32_t kDialJustCall = 41235;  // the phone's own call service
inline constexpr uint32_t kDialSound = 41236;     // touch tones through the loudspeaker
inline constexpr uint32_t kDialAddIn = 41237;     // the registered dialler add-in
inline constexpr uint32_t kDialNone = 41296;      // no dialling

// The method used for `method` (0: `stored`): the add-in method counts as 0 without an add-in; on
// a phone device anything but Just Call, Sound and the add-in becomes Just Call; elsewhere
// anything but Sound, the add-in and None becomes the add-in when there is one, else None.
uint32_t ResolveDialMethod(uint32_t method, uint32_t stored, bool phoneDevice, bool addInRegistered);

// The stored DialupMode (0 when unset or of another type).
uint32_t StoredDialMethod();

// A phone device is one with the file \windows\sms.dll.
[[nodiscard]] bool IsPhoneDevice();

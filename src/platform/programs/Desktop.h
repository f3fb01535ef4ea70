#pragma once
// Handing a request to the host's desktop. A device uses the desktop only when its registry says
// so (HKCU\Software\Brevane\Platform, UseDesktop, a REG_DWORD other than 0). The device a person
// runs (made under the user's data folder) starts with it on; demo and test devices start with it
// off, so tests and headless runs never open anything on the host.
#include <string>
#include <string_view>

namespace plat {

inline constexpr std::u16string_view kPlatformKey = u"Software\\Brevane\\Platform";
inline constexpr std::u16string_view kUseDesktopValue = u"UseDesktop";
// Whether the contacts are written where the host's phone programs read them (docs/host.md).
inline constexpr std::u16string_view kShareContactsValue = u"ShareContacts";

// A switch of kPlatformKey (a REG_DWORD other than 0 is on; missing, 0 or another type is off);
// false without a device or registry.
[[nodiscard]] bool PlatformSwitch(std::u16string_view name);
// Stores the switch as 1 or 0; false when it cannot be written.
[[nodiscard]] bool SetPlatformSwitch(std::u16string_view name, bool on);

// True when the current device is set to use the desktop (false without a device or registry).
[[nodiscard]] bool UsesDesktop();

// Runs `xdg-open target` (argv, never a shell; found on PATH) without waiting for it, when the
// device uses the desktop. True when it was started; false when the device does not use the
// desktop or xdg-open cannot be started.
[[nodiscard]] bool OpenOnDesktop(const std::string& target);

// Whether a program of the host takes addresses of `scheme` ("tel", "sms"): what
// `xdg-mime query default x-scheme-handler/<scheme>` names. False when xdg-mime is missing.
[[nodiscard]] bool DesktopHandles(std::string_view scheme);

}  // namespace plat

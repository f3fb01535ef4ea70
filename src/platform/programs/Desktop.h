#pragma once
// Handing a request to the host's desktop. A device uses the desktop only when its registry says
// so (HKCU\Software\Brevane\Platform, UseDesktop, a REG_DWORD other than 0); by default it does
// not, so tests and headless runs never open anything on the host.
#include <string>
#include <string_view>

namespace plat {

inline constexpr std::u16string_view kPlatformKey = u"Software\\Brevane\\Platform";
inline constexpr std::u16string_view kUseDesktopValue = u"UseDesktop";

// True when the current device is set to use the desktop (false without a device or registry).
[[nodiscard]] bool UsesDesktop();

// Runs `xdg-open target` (argv, never a shell; found on PATH) without waiting for it, when the
// device uses the desktop. True when it was started; false when the device does not use the
// desktop or xdg-open cannot be started.
[[nodiscard]] bool OpenOnDesktop(const std::string& target);

}  // namespace plat

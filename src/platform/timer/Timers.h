#pragma once
// Window timers: a timer belongs to a window of this process and an identifier, and sends WM_TIMER
// (wParam: the identifier) to the window's procedure on the user-interface thread each time its
// period has passed, until it is killed. A tick is delivered when it is due and never waits in a
// queue, so after KillTimer no tick of that timer arrives, not even one that was already due.
#include <cstdint>
#include <optional>

#include "platform/window/WindowTypes.h"

namespace plat {

// The handheld's shortest period; shorter ones are raised to it.
inline constexpr uint32_t kMinimumTimerPeriodMs = 10;

// Sets (or restarts, with the new period) the timer of the window and identifier. False when the
// window is not a window of this process or the caller is not on the user-interface thread.
[[nodiscard]] bool SetTimer(HWND window, uintptr_t id, uint32_t periodMs);
// False when there was no such timer.
[[nodiscard]] bool KillTimer(HWND window, uintptr_t id);

// The earliest due time on the current clock; nothing when no timer is set.
std::optional<uint64_t> NextTimerDue();
// Sends WM_TIMER for every timer whose time has come on the current clock, in due order (timers
// due at the same moment in the order they were set), each once.
void FireDueTimers();

}  // namespace plat

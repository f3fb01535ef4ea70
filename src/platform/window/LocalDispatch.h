#pragma once
// Direct calls to the procedures of this process's windows, for the platform's own deliveries
// (timer ticks) that must never leave the process.
#include <optional>

#include "platform/window/WindowTypes.h"

namespace plat {

// The procedure's result; nothing when the window is not a window of this process.
std::optional<LRESULT> CallLocalWindow(HWND window, uint32_t message, WPARAM wParam, LPARAM lParam);
[[nodiscard]] bool IsLocalWindow(HWND window);

}  // namespace plat

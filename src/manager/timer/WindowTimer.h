#pragma once
// WindowTimer: a one-shot timer that calls its handler on the user-interface thread. The
// platform's timers belong to windows, so it keeps a hidden window of its own (of the class it is
// given) as the owner of one timer; the window's procedure is the only place its WM_TIMER is seen.
// A restart replaces the due time, so a burst of starts ends in one call after the last.
#include <cstdint>
#include <functional>
#include <string_view>

#include "platform/window/WindowTypes.h"

class WindowTimer {
public:
    WindowTimer(std::u16string_view windowClass, std::function<void()> onDue);
    ~WindowTimer();
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Makes the hidden window; false when the platform refuses it.
    [[nodiscard]] bool Create();
    // Stops the timer and destroys the window.
    void Destroy();

    // (Re)starts the timer: the handler runs once, `delayMs` from now (the timer stopped first).
    // False when there is no window (before Create) or the platform refused the timer: the
    // handler will not run, and the caller decides what to do instead.
    [[nodiscard]] bool Start(uint32_t delayMs);
    void Stop();

private:
    std::u16string_view windowClass_;
    std::function<void()> onDue_;
    plat::HWND window_ = 0;
};

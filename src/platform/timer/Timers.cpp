#include "platform/timer/Timers.h"

#include <algorithm>

#include "platform/device/Device.h"
#include "platform/timer/Clock.h"
#include "platform/timer/TimerTable.h"
#include "platform/window/LocalDispatch.h"
#include "platform/window/Messages.h"
#include "platform/window/UiLoop.h"

namespace plat {

namespace {

// A timer outlives neither its window nor the device it was set on.
void RemoveStaleTimers() {
    const uint64_t generation = CurrentDeviceGeneration();
    TimerTable::Instance().RemoveIf(
        [&](HWND window, uint64_t setOn) { return setOn != generation || !IsLocalWindow(window); });
}

void WakeClock() { CurrentClock().WakeAt(TimerTable::Instance().NextDue()); }

}  // namespace

bool SetTimer(HWND window, uintptr_t id, uint32_t periodMs) {
    if (!IsUiThread()) {
        SetLastError(ERROR_ACCESS_DENIED, "timers are set on the user-interface thread");
        return false;
    }
    if (!IsLocalWindow(window)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE, "a timer needs a window of this process");
        return false;
    }
    TimerTable::Instance().Set(window, id, std::max(periodMs, kMinimumTimerPeriodMs), CurrentClock().NowMs(),
                               CurrentDeviceGeneration());
    WakeClock();
    return true;
}

bool KillTimer(HWND window, uintptr_t id) {
    const bool killed = TimerTable::Instance().Kill(window, id);
    WakeClock();
    return killed;
}

std::optional<uint64_t> NextTimerDue() {
    RemoveStaleTimers();
    return TimerTable::Instance().NextDue();
}

void FireDueTimers() {
    const uint64_t now = CurrentClock().NowMs();
    TimerTable& table = TimerTable::Instance();
    RemoveStaleTimers();
    // However the ticks end (a procedure may raise a fatal error), the clock is woken for the
    // timers that remain, so they keep running for whoever handles the error.
    struct Rewake {
        ~Rewake() {
            RemoveStaleTimers();
            WakeClock();
        }
    } rewake;
    while (const auto due = table.TakeDue(now)) {
        // A timer gone already needs no killing.
        if (!CallLocalWindow(due->window, WM_TIMER, due->id, 0)) (void)table.Kill(due->window, due->id);
    }
}

}  // namespace plat

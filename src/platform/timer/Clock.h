#pragma once
// The one clock of the process that window timers run on. The real clock follows the monotonic
// time of the host and wakes the user-interface thread through its event loop; a test installs a
// TestClock instead and moves time itself.
#include <cstdint>
#include <memory>
#include <optional>

namespace plat {

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds on this clock (monotonic; the origin is the clock's own).
    virtual uint64_t NowMs() const = 0;
    // The earliest due time of the timers changed (nothing: no timer is set). A clock that runs by
    // itself calls FireDueTimers() on the user-interface thread once that time has come.
    virtual void WakeAt(std::optional<uint64_t> dueMs) = 0;
};

// The clock in force (the real one unless a test installed another).
Clock& CurrentClock();

// Installs `clock` (null: the real clock) and hands back the one it replaces. Timers already set
// keep the time they had left.
std::unique_ptr<Clock> ExchangeClock(std::unique_ptr<Clock> clock);

}  // namespace plat

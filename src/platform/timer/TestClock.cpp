#include "platform/timer/TestClock.h"

#include <algorithm>

#include "platform/timer/Timers.h"

namespace plat {

void TestClock::Advance(uint64_t milliseconds) {
    const uint64_t target = now_ + milliseconds;
    for (auto due = NextTimerDue(); due && *due <= target; due = NextTimerDue()) {
        now_ = std::max(now_, *due);
        FireDueTimers();
    }
    now_ = target;
}

ScopedTestClock::ScopedTestClock() {
    auto clock = std::make_unique<TestClock>();
    clock_ = clock.get();
    previous_ = ExchangeClock(std::move(clock));
}

ScopedTestClock::~ScopedTestClock() { ExchangeClock(std::move(previous_)); }

}  // namespace plat

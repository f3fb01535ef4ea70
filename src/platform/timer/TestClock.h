#pragma once
// A clock that tests move by hand: Advance fires the timers that fall due on the way at once, in
// due order, each at its own moment (a timer set by a tick runs from that tick's time), without
// waiting.
#include <cstdint>
#include <memory>

#include "platform/timer/Clock.h"

namespace plat {

class TestClock : public Clock {
public:
    uint64_t NowMs() const override { return now_; }
    void WakeAt(std::optional<uint64_t>) override {}

    void Advance(uint64_t milliseconds);

private:
    uint64_t now_ = 0;
};

// Puts a TestClock in force while it lives, then the clock before it.
class ScopedTestClock {
public:
    ScopedTestClock();
    ~ScopedTestClock();
    ScopedTestClock(const ScopedTestClock&) = delete;
    ScopedTestClock& operator=(const ScopedTestClock&) = delete;

    void Advance(uint64_t milliseconds) { clock_->Advance(milliseconds); }
    uint64_t NowMs() const { return clock_->NowMs(); }

private:
    TestClock* clock_;
    std::unique_ptr<Clock> previous_;
};

}  // namespace plat

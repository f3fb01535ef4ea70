// Window timers on the test clock: ticks in due order, restarts, kills (also of a tick that is
// already due) and timers that outlive their window; and one tick through the real clock.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "platform/loop/EventLoop.h"
#include "platform/timer/TestClock.h"
#include "platform/timer/Timers.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"

namespace {

struct Tick {
    uint64_t at;
    plat::HWND window;
    uintptr_t id;
    bool operator==(const Tick&) const = default;
};

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override { plat::EnsureApplication(); }

    // A window that records its ticks; `onTick` runs after the record.
    plat::HWND TickingWindow(std::function<void(plat::HWND, uintptr_t)> onTick = {}) {
        return plat::CreateWindow(u"TICKING", u"", [this, onTick](plat::HWND w, uint32_t m, plat::WPARAM id, plat::LPARAM) {
            if (m == plat::WM_TIMER) {
                ticks_.push_back({clock_.NowMs(), w, id});
                if (onTick) onTick(w, id);
            }
            return plat::LRESULT{0};
        });
    }

    TempDevice device_;
    plat::ScopedTestClock clock_;
    std::vector<Tick> ticks_;
};

TEST_F(TimerTest, TicksComeInDueOrderEachAtItsMoment) {
    const plat::HWND a = TickingWindow();
    const plat::HWND b = TickingWindow();
    ASSERT_TRUE(plat::SetTimer(a, 1, 500));
    ASSERT_TRUE(plat::SetTimer(b, 7, 2000));
    ASSERT_TRUE(plat::SetTimer(b, 8, 1000));
    clock_.Advance(499);
    EXPECT_TRUE(ticks_.empty());
    clock_.Advance(1601);
    // At 1000 and 2000 two timers are due together: they go in the order they were set.
    const std::vector<Tick> expected = {{500, a, 1}, {1000, a, 1}, {1000, b, 8}, {1500, a, 1},
                                        {2000, a, 1}, {2000, b, 7}, {2000, b, 8}};
    EXPECT_EQ(ticks_, expected);
}

TEST_F(TimerTest, RestartingPostponesAndKillingStopsEvenADueTick) {
    const plat::HWND queue = TickingWindow();
    const plat::HWND save = TickingWindow();
    // A burst restarts a 500 ms timer each time: one tick, 500 ms after the last restart.
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(plat::SetTimer(queue, 1, 500));
        clock_.Advance(300);
    }
    EXPECT_TRUE(ticks_.empty());
    clock_.Advance(200);
    EXPECT_EQ(ticks_, (std::vector<Tick>{{1400, queue, 1}}));
    EXPECT_TRUE(plat::KillTimer(queue, 1));
    EXPECT_FALSE(plat::KillTimer(queue, 1));

    // Both due at the same moment; the first one's tick kills the second before it is handed on.
    ticks_.clear();
    const plat::HWND killer = TickingWindow([&](plat::HWND, uintptr_t) { plat::KillTimer(save, 2); });
    plat::SetTimer(killer, 1, 100);
    plat::SetTimer(save, 2, 100);
    clock_.Advance(100);
    plat::KillTimer(killer, 1);
    EXPECT_EQ(ticks_, (std::vector<Tick>{{1500, killer, 1}}));
    clock_.Advance(1000);
    EXPECT_EQ(ticks_.size(), 1u);
}

TEST_F(TimerTest, TimersNeedAWindowOfThisProcessAndEndWithIt) {
    EXPECT_FALSE(plat::SetTimer(0x7FFF0000, 1, 100));
    const plat::HWND window = TickingWindow();
    plat::SetTimer(window, 1, 0);  // raised to the shortest period
    clock_.Advance(9);
    EXPECT_TRUE(ticks_.empty());
    clock_.Advance(1);
    EXPECT_EQ(ticks_.size(), 1u);
    plat::DestroyWindow(window);
    clock_.Advance(100);
    EXPECT_EQ(ticks_.size(), 1u);
    EXPECT_FALSE(plat::NextTimerDue());
}

TEST(RealClockTimer, ATickArrivesThroughTheEventLoop) {
    TempDevice device;
    plat::EnsureApplication();
    int ticks = 0;
    const plat::HWND window = plat::CreateWindow(u"REAL.TICK", u"", [&](plat::HWND w, uint32_t m, plat::WPARAM id, plat::LPARAM) {
        if (m == plat::WM_TIMER && ++ticks == 3) plat::KillTimer(w, id);
        return plat::LRESULT{0};
    });
    ASSERT_TRUE(plat::SetTimer(window, 5, 10));
    EXPECT_TRUE(plat::RunUntil([&] { return ticks == 3; }, 10000));
    EXPECT_FALSE(plat::NextTimerDue());
    plat::DestroyWindow(window);
}

}  // namespace

// A fatal error raised inside a call of the real event loop (a window timer) leaves the loop as a
// failure of the code that ran it, never through Qt: the loop ends, the error is raised by
// RunUntil, and afterwards the loop and the remaining timers run as before.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/loop/EventLoop.h"
#include "platform/loop/LoopFailure.h"
#include "platform/timer/Timers.h"
#include "platform/window/Messages.h"
#include "platform/window/Window.h"
#include "support/TempDevice.h"

namespace {

// What a fatal error is to the loop: any exception.
struct Fatal : std::runtime_error {
    explicit Fatal(int code) : std::runtime_error("fatal"), code(code) {}
    int code;
};

constexpr int kWaitMs = 10000;
constexpr uint32_t kPeriodMs = 20;

plat::HWND TimerWindow(std::u16string_view className, std::function<void()> onTick) {
    return plat::CreateWindow(className, u"",
                              [onTick](plat::HWND, uint32_t message, plat::WPARAM, plat::LPARAM) {
                                  if (message == plat::WM_TIMER) onTick();
                                  return plat::LRESULT{0};
                              });
}

}  // namespace

TEST(LoopFailure, ATimerThatRaisesEndsTheLoopAndTheLoopRunsAgain) {
    TempDevice device;
    plat::EnsureApplication();
    int ticks = 0;
    const plat::HWND failing = TimerWindow(u"TEST.FAILING", [] { throw Fatal(7); });
    const plat::HWND counting = TimerWindow(u"TEST.COUNTING", [&] { ++ticks; });
    ASSERT_TRUE(plat::SetTimer(failing, 1, kPeriodMs));

    try {
        (void)plat::RunUntil([] { return false; }, kWaitMs);  // the checks below say what came
        ADD_FAILURE() << "the loop ran to its time limit";
    } catch (const Fatal& error) {
        EXPECT_EQ(error.code, 7);
    }
    EXPECT_FALSE(plat::LoopFailed()) << "the failure was raised once and forgotten";

    (void)plat::KillTimer(failing, 1);  // clean-up
    ASSERT_TRUE(plat::SetTimer(counting, 1, kPeriodMs));
    EXPECT_TRUE(plat::RunUntil([&] { return ticks >= 2; }, kWaitMs)) << "the timers run again";
    (void)plat::DestroyWindow(failing);   // clean-up
    (void)plat::DestroyWindow(counting);  // clean-up
}

// A failure kept from one loop call stops the calls after it: nothing goes on after a fatal error
// until the code that ran the loop has taken it. The handler of a program's own loop hears of it
// once, to end that loop.
TEST(LoopFailure, CallsAfterAFailureAreSkippedUntilItIsTaken) {
    int calls = 0;
    int told = 0;
    plat::SetLoopFailureHandler([&] { ++told; });
    plat::CallFromLoop([] { throw Fatal(1); });
    plat::CallFromLoop([&] { ++calls; });
    plat::CallFromLoop([] { throw Fatal(2); });
    plat::SetLoopFailureHandler(nullptr);
    EXPECT_EQ(std::pair(calls, told), std::pair(0, 1));
    EXPECT_THROW(plat::RethrowLoopFailure(), Fatal);
    plat::CallFromLoop([&] { ++calls; });
    EXPECT_EQ(calls, 1);
    EXPECT_NO_THROW(plat::RethrowLoopFailure());
}

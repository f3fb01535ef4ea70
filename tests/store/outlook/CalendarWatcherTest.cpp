#include "store/outlook/CalendarWatcher.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace std::chrono_literals;

// The window is polled for until it appears and then commanded once; a stop wakes a long wait at
// once, the watcher can be started again afterwards, and it gives up when no window appears.
TEST(CalendarWatcher, CommandsTheWindowOnceItAppearsAndStopsAtOnce) {
    std::atomic<int> polls{0};
    std::atomic<plat::HWND> commanded{0};
    std::atomic<int> actions{0};
    CalendarWatcher watcher;
    watcher.Start({1h, 24h}, [&] { return ++polls, plat::HWND{0}; }, [](plat::HWND) {});
    watcher.Stop();  // would block for a day if the wait did not wake
    EXPECT_LE(polls.load(), 1);
    polls = 0;
    watcher.Start({1ms, 60s}, [&] { return ++polls >= 4 ? plat::HWND{0x40} : plat::HWND{0}; },
                  [&](plat::HWND w) {
                      commanded = w;
                      ++actions;
                  });
    EXPECT_TRUE(watcher.Join());
    EXPECT_EQ(polls.load(), 4);
    EXPECT_EQ(commanded.load(), 0x40u);
    EXPECT_EQ(actions.load(), 1);
    watcher.Start({1ms, 5ms}, [] { return plat::HWND{0}; }, [&](plat::HWND) { ++actions; });
    EXPECT_FALSE(watcher.Join());
    EXPECT_EQ(actions.load(), 1);
}

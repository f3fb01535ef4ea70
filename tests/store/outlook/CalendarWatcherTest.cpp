#include "store/outlook/CalendarWatcher.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace std::chrono_literals;

TEST(CalendarWatcher, CommandsTheWindowOnceItAppears) {
    std::atomic<int> polls{0};
    std::atomic<plat::HWND> commanded{0};
    std::atomic<int> actions{0};
    CalendarWatcher watcher;
    watcher.Start({1ms, 60s}, [&] { return ++polls >= 4 ? plat::HWND{0x40} : plat::HWND{0}; },
                  [&](plat::HWND w) {
                      commanded = w;
                      ++actions;
                  });
    EXPECT_TRUE(watcher.Join());
    EXPECT_EQ(polls.load(), 4);
    EXPECT_EQ(commanded.load(), 0x40u);
    EXPECT_EQ(actions.load(), 1);
}

TEST(CalendarWatcher, StoppingEndsALongWatch) {
    std::atomic<int> polls{0};
    CalendarWatcher watcher;
    watcher.Start({1h, 24h}, [&] { return ++polls, plat::HWND{0}; }, [](plat::HWND) {});
    watcher.Stop();  // would block for a day if the wait did not wake
    EXPECT_LE(polls.load(), 1);
    // A new watch after a stopped one runs normally.
    watcher.Start({1ms, 1h}, [] { return plat::HWND{8}; }, [](plat::HWND) {});
    EXPECT_TRUE(watcher.Join());
}

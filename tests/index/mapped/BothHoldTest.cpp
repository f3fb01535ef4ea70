#include "index/mapped/BothHold.h"

#include <gtest/gtest.h>

#include <new>

// Both checks count, whichever fails; what the second thread's check throws reaches the caller
// after the caller's own check has run, instead of ending the process.
TEST(BothHold, EitherFailureFailsAndASideThrowReachesTheCaller) {
    const struct { bool side, here; } cases[] = {{true, true}, {true, false}, {false, true}, {false, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(BothHold([&c] { return c.side; }, [&c] { return c.here; }), c.side && c.here)
            << c.side << " " << c.here;
    }
    bool hereRan = false;
    EXPECT_THROW((void)BothHold([]() -> bool { throw std::bad_alloc(); },
                                [&hereRan] {
                                    hereRan = true;
                                    return true;
                                }),
                 std::bad_alloc);
    EXPECT_TRUE(hereRan);
}

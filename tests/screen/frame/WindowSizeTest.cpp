// The main window's first size: grown for a large screen, never larger than a small one, and the
// size the user left it at when there is one.
#include "screen/frame/WindowSize.h"

#include <gtest/gtest.h>

namespace {

constexpr WindowSize kDesign{240, 320};

TEST(WindowSize, GrowsWithTheScreenFitsSmallOnesAndKeepsTheUsersSize) {
    struct Case {
        const char* what;
        WindowSize available;
        std::optional<WindowSize> remembered;
        WindowSize expected;
    };
    const Case cases[] = {
        {"1080p desktop, panel taken", {1920, 1040}, std::nullopt, {480, 640}},
        {"2160p desktop", {3840, 2120}, std::nullopt, {960, 1280}},
        {"800 x 600 desktop", {800, 600}, std::nullopt, {240, 320}},
        {"360 x 720 phone", {360, 720}, std::nullopt, {240, 320}},
        {"a screen smaller than the design", {200, 300}, std::nullopt, {200, 300}},
        {"the user's size", {1920, 1040}, WindowSize{600, 900}, {600, 900}},
        {"the user's size on a smaller screen now", {360, 720}, WindowSize{600, 900}, {360, 720}},
        {"no screen known", {0, 0}, std::nullopt, {240, 320}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(InitialWindowSize(kDesign, c.available, c.remembered), c.expected) << c.what;
    }
    EXPECT_EQ(RememberedWindowSize(0, 640), std::nullopt) << "a value missing";
    EXPECT_EQ(RememberedWindowSize(480, 640), (WindowSize{480, 640}));
}

}  // namespace

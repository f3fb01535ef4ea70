#pragma once
// The main window's size on a desktop: the phone's design size grown by the largest whole factor
// that keeps it within two thirds of the screen's free height (2x on a 1080p screen, 1x on a
// phone's 360 x 720), or the size the user left it at; either way never larger than the free
// area, so the window fits a phone's screen. The rows and panes fill whatever size it has.
#include <optional>
#include <string_view>

// The registry values of "Settings" that keep the size (REG_DWORD, pixels at 96 dpi).
inline constexpr std::u16string_view kWindowWidthValue = u"WindowWidth";
inline constexpr std::u16string_view kWindowHeightValue = u"WindowHeight";

struct WindowSize {
    int width = 0;
    int height = 0;
    [[nodiscard]] bool operator==(const WindowSize&) const = default;
};

// `design`: the design size at the screen's dpi; `available`: the screen's free area;
// `remembered`: the size the window had when it last closed, if any.
WindowSize InitialWindowSize(WindowSize design, WindowSize available, std::optional<WindowSize> remembered);

// The stored size, from the two registry values (0 for a value that is missing).
std::optional<WindowSize> RememberedWindowSize(int width, int height);

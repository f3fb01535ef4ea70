#include "screen/frame/WindowSize.h"

#include <algorithm>

namespace {

// A window taller than this share of the screen leaves too little room beside it.
constexpr int kShareNumerator = 2, kShareDenominator = 3;

WindowSize Within(WindowSize size, WindowSize available) {
    if (available.width > 0) size.width = std::min(size.width, available.width);
    if (available.height > 0) size.height = std::min(size.height, available.height);
    return size;
}

}  // namespace

WindowSize InitialWindowSize(WindowSize design, WindowSize available, std::optional<WindowSize> remembered) {
    if (remembered) return Within(*remembered, available);
    const int room = available.height * kShareNumerator / kShareDenominator;
    const int factor = design.height > 0 ? std::max(1, room / design.height) : 1;
    return Within({design.width * factor, design.height * factor}, available);
}

std::optional<WindowSize> RememberedWindowSize(int width, int height) {
    if (width <= 0 || height <= 0) return std::nullopt;
    return WindowSize{width, height};
}

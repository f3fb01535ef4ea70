#include "index/mapped/BothHold.h"

#include <system_error>
#include <thread>

bool BothHold(const std::function<bool()>& side, const std::function<bool()>& here) {
    bool sideHolds = false;
    std::jthread thread;
    try {
        thread = std::jthread([&] { sideHolds = side(); });
    } catch (const std::system_error&) {
        const bool hereHolds = here();
        return side() && hereHolds;
    }
    const bool hereHolds = here();
    thread.join();
    return sideHolds && hereHolds;
}

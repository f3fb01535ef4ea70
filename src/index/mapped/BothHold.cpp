#include "index/mapped/BothHold.h"

#include <exception>
#include <system_error>
#include <thread>

bool BothHold(const std::function<bool()>& side, const std::function<bool()>& here) {
    bool sideHolds = false;
    std::exception_ptr sideFailure;
    std::jthread thread;
    try {
        thread = std::jthread([&] {
            try {
                sideHolds = side();
            } catch (...) {
                sideFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        const bool hereHolds = here();
        return side() && hereHolds;
    }
    const bool hereHolds = here();  // should it throw, the thread is joined as it unwinds
    thread.join();
    if (sideFailure) std::rethrow_exception(sideFailure);
    return sideHolds && hereHolds;
}

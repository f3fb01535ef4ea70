#pragma once
// The timers of this process, kept in due order; the user-interface thread is their only user.
#include <cstdint>
#include <map>
#include <optional>
#include <utility>

#include "platform/window/WindowTypes.h"

namespace plat {

class TimerTable {
public:
    static TimerTable& Instance();

    void Set(HWND window, uintptr_t id, uint32_t periodMs, uint64_t now, uint64_t deviceGeneration);
    [[nodiscard]] bool Kill(HWND window, uintptr_t id);
    std::optional<uint64_t> NextDue() const;

    struct Due {
        HWND window;
        uintptr_t id;
    };
    // Takes the first timer due at `now` and sets it to come again a period later.
    std::optional<Due> TakeDue(uint64_t now);

    // Removes the timers for which `stale(window, deviceGeneration)` holds.
    template <typename Predicate>
    void RemoveIf(Predicate stale) {
        std::erase_if(timers_, [&](const auto& item) { return stale(item.first.first, item.second.deviceGeneration); });
    }

    // Moves every due time from one clock's time to another's, keeping the time each has left.
    void Rebase(uint64_t fromNow, uint64_t toNow);

private:
    struct Timer {
        uint32_t periodMs;
        uint64_t due;
        uint64_t order;  // ties of due times go in the order the timers were set
        uint64_t deviceGeneration;
    };
    using Key = std::pair<HWND, uintptr_t>;

    std::map<Key, Timer> timers_;
    uint64_t nextOrder_ = 0;
};

}  // namespace plat

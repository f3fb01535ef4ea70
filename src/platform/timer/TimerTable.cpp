#include "platform/timer/TimerTable.h"

#include <algorithm>

namespace plat {

TimerTable& TimerTable::Instance() {
    static TimerTable table;
    return table;
}

void TimerTable::Set(HWND window, uintptr_t id, uint32_t periodMs, uint64_t now, uint64_t deviceGeneration) {
    timers_[Key{window, id}] = Timer{periodMs, now + periodMs, nextOrder_++, deviceGeneration};
}

bool TimerTable::Kill(HWND window, uintptr_t id) { return timers_.erase(Key{window, id}) != 0; }

std::optional<uint64_t> TimerTable::NextDue() const {
    std::optional<uint64_t> next;
    for (const auto& item : timers_) {
        if (!next || item.second.due < *next) next = item.second.due;
    }
    return next;
}

std::optional<TimerTable::Due> TimerTable::TakeDue(uint64_t now) {
    auto first = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        const Timer& timer = it->second;
        if (timer.due > now) continue;
        if (first == timers_.end() || std::pair(timer.due, timer.order) < std::pair(first->second.due, first->second.order)) {
            first = it;
        }
    }
    if (first == timers_.end()) return std::nullopt;
    first->second.due = now + first->second.periodMs;
    return Due{first->first.first, first->first.second};
}

void TimerTable::Rebase(uint64_t fromNow, uint64_t toNow) {
    for (auto& item : timers_) {
        const uint64_t left = item.second.due > fromNow ? item.second.due - fromNow : 0;
        item.second.due = toNow + left;
    }
}

}  // namespace plat

#pragma once
// The coordination block seen through its offsets; the caller holds the block's mutex.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "platform/window/WindowTypes.h"

class CoordBlock {
public:
    explicit CoordBlock(uint8_t* base) : base_(base) {}

    plat::HWND Slot(size_t index) const;
    void SetSlot(size_t index, plat::HWND window);
    // The first zero slot; nothing when all are used.
    std::optional<size_t> FirstFreeSlot() const;
    std::optional<size_t> SlotOf(plat::HWND window) const;
    // Zeroes the slot and moves every later entry down one place.
    void RemoveSlot(size_t index);
    // The windows of slots 1 on, up to the first zero.
    std::vector<plat::HWND> Slaves() const;

    // Codes 0 to 9; any other code changes nothing.
    void SetChangeFlag(uint32_t code, uint32_t value);

    // Removes every window that no longer exists from the used slots (up to the first zero),
    // keeping the order of the others.
    void RemoveDeadWindows(const std::function<bool(plat::HWND)>& exists);

private:
    uint8_t* base_;
};

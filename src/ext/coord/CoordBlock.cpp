#include "ext/coord/CoordBlock.h"

#include "ext/coord/CoordBlockFormat.h"
#include "platform/window/WireBytes.h"

using namespace coordfmt;

plat::HWND CoordBlock::Slot(size_t index) const { return plat::LoadLe32(base_ + kWindowTableAt + 4 * index); }

void CoordBlock::SetSlot(size_t index, plat::HWND window) {
    plat::StoreLe32(base_ + kWindowTableAt + 4 * index, window);
}

std::optional<size_t> CoordBlock::FirstFreeSlot() const {
    for (size_t i = 0; i < kSlotCount; ++i) {
        if (Slot(i) == 0) return i;
    }
    return std::nullopt;
}

std::optional<size_t> CoordBlock::SlotOf(plat::HWND window) const {
    for (size_t i = 0; i < kSlotCount; ++i) {
        if (Slot(i) == window) return i;
    }
    return std::nullopt;
}

void CoordBlock::RemoveSlot(size_t index) {
    for (size_t i = index; i + 1 < kSlotCount; ++i) SetSlot(i, Slot(i + 1));
    SetSlot(kSlotCount - 1, 0);
}

std::vector<plat::HWND> CoordBlock::Slaves() const {
    std::vector<plat::HWND> slaves;
    for (size_t i = 1; i < kSlotCount && Slot(i) != 0; ++i) slaves.push_back(Slot(i));
    return slaves;
}

void CoordBlock::SetChangeFlag(uint32_t code, uint32_t value) {
    if (code < kChangeFlagAt.size()) plat::StoreLe32(base_ + kChangeFlagAt[code], value);
}

void CoordBlock::RemoveDeadWindows(const std::function<bool(plat::HWND)>& exists) {
    // After a removal the next entry has moved into this slot: it is examined before going on, so
    // that dead windows side by side all go in one pass.
    size_t i = 0;
    while (i < kSlotCount && Slot(i) != 0) {
        if (exists(Slot(i))) {
            ++i;
        } else {
            RemoveSlot(i);
        }
    }
}

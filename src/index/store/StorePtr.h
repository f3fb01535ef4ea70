#pragma once
// A position in the index image that survives the image growing or moving: a reference to the
// store's image-base field plus an offset, turned into an address at each use. Null is (null, 0);
// offset 0 (the header) never names a record, so a zero offset is null too.
#include <cstdint>

#include "index/format/Words.h"

class StorePtr {
public:
    StorePtr() = default;
    StorePtr(uint8_t* const* base, uint32_t offset) : base_(base), offset_(offset) {}

    [[nodiscard]] bool IsNull() const { return base_ == nullptr || offset_ == 0; }
    explicit operator bool() const { return !IsNull(); }
    uint32_t Offset() const { return IsNull() ? 0 : offset_; }
    uint8_t* Address() const { return IsNull() ? nullptr : *base_ + offset_; }

    // The 32-bit word `index` of the record (byte offset 4 x index).
    uint32_t Word(uint32_t index) const { return LoadWord(Address() + 4 * index); }
    void SetWord(uint32_t index, uint32_t value) const { StoreWord(Address() + 4 * index, value); }

    [[nodiscard]] friend bool operator==(const StorePtr& a, const StorePtr& b) {
        return a.Offset() == b.Offset() && (a.IsNull() || a.base_ == b.base_);
    }

private:
    uint8_t* const* base_ = nullptr;
    uint32_t offset_ = 0;
};

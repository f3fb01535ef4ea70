#include "index/words/OidList.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "index/format/Words.h"
#include "index/words/WordsFormat.h"

using namespace WordsFormat;

namespace {

// memcpy that accepts an empty range with no storage behind it (a null pointer).
inline void CopyBytes(void* to, const void* from, size_t bytes) {
    if (bytes != 0) std::memcpy(to, from, bytes);
}

template <typename T>
std::span<const T> ItemsAt(Allocator& alloc, uint32_t offset) {
    if (offset == 0) return {};
    const uint8_t* at = alloc.ToAddress(offset);
    return {reinterpret_cast<const T*>(at + kItemsAt), LoadWord(at + kCountAt)};
}

// A new zero-filled block of `count` items of `itemBytes` (room for `capacity`), with its count
// set; its items follow.
uint8_t* NewList(Allocator& alloc, uint32_t count, uint32_t itemBytes, uint32_t& offset, uint32_t capacity = 0) {
    StorePtr ptr;
    const uint64_t bytes = kItemsAt + uint64_t{std::max(count, capacity)} * itemBytes;
    uint8_t* at = alloc.Allocate(static_cast<uint32_t>(std::min<uint64_t>(bytes, UINT32_MAX)), ptr);
    if (at == nullptr) return nullptr;
    StoreWord(at + kCountAt, count);
    offset = ptr.Offset();
    return at + kItemsAt;
}

void FreeList(Allocator& alloc, uint32_t offset) {
    if (offset != 0) alloc.FreeAddress(alloc.ToAddress(offset));
}

// Changes the list of `T` items at `offset` where it lies when its block holds the result, else
// moves it to a new block with room to grow.
template <typename T>
std::optional<uint32_t> ReplaceItem(Allocator& alloc, uint32_t offset, uint32_t index, std::optional<T> insert) {
    constexpr uint32_t kItem = sizeof(T);
    const auto count = static_cast<uint32_t>(ItemsAt<T>(alloc, offset).size());
    const uint32_t after = insert ? count + 1 : count - 1;
    if (after == 0) {
        FreeList(alloc, offset);
        return 0u;
    }
    uint8_t* items = nullptr;
    uint32_t fresh = offset;
    if (offset != 0 && kItemsAt + uint64_t{after} * kItem <= alloc.BlockBytes(offset)) {
        items = alloc.ToAddress(offset) + kItemsAt;
        StoreWord(items - kItemsAt + kCountAt, after);
    } else {
        items = NewList(alloc, after, kItem, fresh, after + after / 8);
        if (items == nullptr) return std::nullopt;
        const uint8_t* old = offset == 0 ? nullptr : alloc.ToAddress(offset) + kItemsAt;  // may have moved
        CopyBytes(items, old, uint64_t{count} * kItem);
        FreeList(alloc, offset);
    }
    if (insert) {
        std::memmove(items + (index + 1) * kItem, items + index * kItem, (count - index) * kItem);
        std::memcpy(items + index * kItem, &*insert, kItem);
    } else {
        std::memmove(items + index * kItem, items + (index + 1) * kItem, (count - index - 1) * kItem);
        std::memset(items + after * kItem, 0, kItem);
    }
    return fresh;
}

}  // namespace

namespace OidList {

std::span<const uint32_t> View(Allocator& alloc, uint32_t offset) {
    return ItemsAt<uint32_t>(alloc, offset);
}

std::optional<uint32_t> Make(Allocator& alloc, std::span<const uint32_t> oids) {
    if (oids.empty()) return 0u;
    uint32_t offset = 0;
    uint8_t* items = NewList(alloc, static_cast<uint32_t>(oids.size()), 4, offset);
    if (items == nullptr) return std::nullopt;
    CopyBytes(items, oids.data(), oids.size() * 4);
    return offset;
}

std::optional<uint32_t> Replace(Allocator& alloc, uint32_t offset, uint32_t index,
                                std::optional<uint32_t> insert) {
    return ReplaceItem(alloc, offset, index, insert);
}

std::optional<uint32_t> Insert(Allocator& alloc, uint32_t offset, uint32_t oid, bool& added) {
    const std::span<const uint32_t> old = View(alloc, offset);
    const auto at = std::lower_bound(old.begin(), old.end(), oid);
    added = at == old.end() || *at != oid;
    if (!added) return offset;
    return Replace(alloc, offset, static_cast<uint32_t>(at - old.begin()), oid);
}

std::optional<uint32_t> Remove(Allocator& alloc, uint32_t offset, uint32_t oid, bool& removed) {
    const std::span<const uint32_t> old = View(alloc, offset);
    const auto at = std::lower_bound(old.begin(), old.end(), oid);
    removed = at != old.end() && *at == oid;
    if (!removed) return offset;
    return Replace(alloc, offset, static_cast<uint32_t>(at - old.begin()), std::nullopt);
}

}  // namespace OidList

namespace PairList {

std::span<const Pair> View(Allocator& alloc, uint32_t offset) {
    return ItemsAt<Pair>(alloc, offset);
}

std::optional<uint32_t> Rewrite(Allocator& alloc, uint32_t oldOffset, std::span<const Pair> pairs) {
    uint32_t fresh = 0;
    if (!pairs.empty()) {
        uint8_t* items = NewList(alloc, static_cast<uint32_t>(pairs.size()), sizeof(Pair), fresh);
        if (items == nullptr) return std::nullopt;
        CopyBytes(items, pairs.data(), pairs.size_bytes());
    }
    FreeList(alloc, oldOffset);
    return fresh;
}

std::optional<uint32_t> Replace(Allocator& alloc, uint32_t offset, uint32_t index, std::optional<Pair> insert) {
    return ReplaceItem(alloc, offset, index, insert);
}

}  // namespace PairList

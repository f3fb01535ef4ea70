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

// A new block of `count` items of `itemBytes`, with its count set; its items follow.
uint8_t* NewList(Allocator& alloc, uint32_t count, uint32_t itemBytes, uint32_t& offset) {
    StorePtr ptr;
    uint8_t* at = alloc.Allocate(kItemsAt + count * itemBytes, ptr);
    if (at == nullptr) return nullptr;
    StoreWord(at + kCountAt, count);
    offset = ptr.Offset();
    return at + kItemsAt;
}

void FreeList(Allocator& alloc, uint32_t offset) {
    if (offset != 0) alloc.FreeAddress(alloc.ToAddress(offset));
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
    const std::span<const uint32_t> old = View(alloc, offset);
    const auto count = static_cast<uint32_t>(old.size() + (insert ? 1 : 0) - (insert ? 0 : 1));
    uint32_t fresh = 0;
    if (count != 0) {
        uint8_t* items = NewList(alloc, count, 4, fresh);
        if (items == nullptr) return std::nullopt;
        const std::span<const uint32_t> src = View(alloc, offset);  // the image may have grown
        CopyBytes(items, src.data(), index * 4);
        if (insert) {
            StoreWord(items + index * 4, *insert);
            CopyBytes(items + (index + 1) * 4, src.data() + index, (src.size() - index) * 4);
        } else {
            CopyBytes(items + index * 4, src.data() + index + 1, (src.size() - index - 1) * 4);
        }
    }
    FreeList(alloc, offset);
    return fresh;
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

}  // namespace PairList

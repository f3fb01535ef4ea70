#pragma once
// The sorted lists of object identifiers kept in the index image (count, then the OIDs
// ascending, no duplicates), and the same list of (OID, value) pairs for the contact maps and the
// slot table. A list is changed where it lies when its block has room (a removal always has); one
// that must move to a larger block is given room for an eighth more items, so a list that grows
// one contact at a time moves once every count / 8 changes instead of at each. The bytes of a
// block past its count are zero and belong to no item.
#include <cstdint>
#include <optional>
#include <span>

#include "index/store/Allocator.h"

namespace OidList {

// The OIDs of the list at `offset` (empty for 0).
std::span<const uint32_t> View(Allocator& alloc, uint32_t offset);
// Inserts `oid` in place. Returns the new list offset, or nullopt when allocation failed (the
// list is unchanged); `added` tells whether the OID was new.
std::optional<uint32_t> Insert(Allocator& alloc, uint32_t offset, uint32_t oid, bool& added);
// Removes `oid`; a list that becomes empty is freed (offset 0). Nullopt on allocation failure.
std::optional<uint32_t> Remove(Allocator& alloc, uint32_t offset, uint32_t oid, bool& removed);
// A new list holding `oids` (ascending, unique); 0 for none, nullopt on allocation failure.
std::optional<uint32_t> Make(Allocator& alloc, std::span<const uint32_t> oids);
// The list with `insert` placed at `index` (used by the ordered lists, which are not in OID
// order), or without the entry at `index` when `insert` is empty; its offset (0 when it became
// empty and was freed), nullopt on allocation failure (the list is unchanged).
std::optional<uint32_t> Replace(Allocator& alloc, uint32_t offset, uint32_t index,
                                std::optional<uint32_t> insert);

}  // namespace OidList

// Lists of (OID, value) pairs: count, then the pairs.
namespace PairList {

struct Pair {
    uint32_t oid;
    uint32_t value;
};

std::span<const Pair> View(Allocator& alloc, uint32_t offset);
// A new list from `pairs`; 0 when empty, nullopt on allocation failure. The old list is freed.
std::optional<uint32_t> Rewrite(Allocator& alloc, uint32_t oldOffset, std::span<const Pair> pairs);
// As OidList::Replace, for a list of pairs.
std::optional<uint32_t> Replace(Allocator& alloc, uint32_t offset, uint32_t index, std::optional<Pair> insert);

}  // namespace PairList

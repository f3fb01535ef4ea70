#pragma once
// The sorted lists of object identifiers kept in the index image (count, then the OIDs
// ascending, no duplicates), and the same list of (OID, value) pairs for the contact maps. Each
// change allocates the list anew and frees the old block, so a list never has slack.
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
// A new list: `oids` with `oid` placed at `index` (used by the ordered lists, which are not in
// OID order), or without the entry at `index` when `oid` is empty.
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

}  // namespace PairList

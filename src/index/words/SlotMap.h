#pragma once
// SlotMap: each indexed contact's properties slot, by OID, in memory beside the slot table of
// pim_index1.dat. Held as pairs sorted by OID: built from the slot table in linear time when an
// index is opened, and changed in place, one contact at a time, as the index changes.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "index/words/OidList.h"

class SlotMap {
public:
    // The pairs of a slot table; of a contact named twice (a checked file never does) the later
    // pair counts.
    void Assign(std::span<const PairList::Pair> table);
    void Clear() { byOid_.clear(); }
    std::optional<uint32_t> Find(uint32_t oid) const;
    [[nodiscard]] bool Contains(uint32_t oid) const { return Find(oid).has_value(); }
    void Set(uint32_t oid, uint32_t slot);
    void Erase(uint32_t oid);

private:
    std::vector<PairList::Pair>::const_iterator At(uint32_t oid) const;

    std::vector<PairList::Pair> byOid_;
};

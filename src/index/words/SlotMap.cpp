#include "index/words/SlotMap.h"

#include <algorithm>

#include "index/words/RadixSort.h"

void SlotMap::Assign(std::span<const PairList::Pair> table) {
    byOid_.assign(table.begin(), table.end());
    // Stable: of equal OIDs the table's later pair ends last, and is the one kept.
    RadixSort(byOid_, [](const PairList::Pair& p) { return p.oid; });
    size_t kept = 0;
    for (size_t i = 0; i < byOid_.size(); ++i) {
        if (i + 1 < byOid_.size() && byOid_[i + 1].oid == byOid_[i].oid) continue;
        byOid_[kept++] = byOid_[i];
    }
    byOid_.resize(kept);
}

std::vector<PairList::Pair>::const_iterator SlotMap::At(uint32_t oid) const {
    return std::lower_bound(byOid_.begin(), byOid_.end(), oid,
                            [](const PairList::Pair& p, uint32_t o) { return p.oid < o; });
}

std::optional<uint32_t> SlotMap::Find(uint32_t oid) const {
    const auto at = At(oid);
    if (at == byOid_.end() || at->oid != oid) return std::nullopt;
    return at->value;
}

void SlotMap::Set(uint32_t oid, uint32_t slot) {
    const auto at = byOid_.begin() + (At(oid) - byOid_.cbegin());
    if (at != byOid_.end() && at->oid == oid) {
        at->value = slot;
    } else {
        byOid_.insert(at, {oid, slot});
    }
}

void SlotMap::Erase(uint32_t oid) {
    const auto at = At(oid);
    if (at != byOid_.end() && at->oid == oid) byOid_.erase(at);
}

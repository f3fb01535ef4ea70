#include "index/order/IndexComparator.h"

#include "index/words/OidList.h"
#include "platform/locale/Locale.h"

bool IndexComparator::SetKey(uint32_t oid) {
    SortKeys keys;
    if (source_ == nullptr || !source_->ReadSortKeys(oid, keys)) return false;
    keyOid_ = oid;
    keyText_ = KeyText(keys);
    failed_ = false;
    return true;
}

int IndexComparator::Compare(uint32_t oid) {
    SortKeys keys;
    if (source_ == nullptr || !source_->ReadSortKeys(oid, keys)) {
        failed_ = true;
        return 0;
    }
    return CompareKeys(keyText_, keyOid_, KeyText(keys), oid);
}

int IndexComparator::CompareKeys(const Str& a, uint32_t aOid, const Str& b, uint32_t bOid) {
    const int byText = plat::CompareText(a.View(), b.View());
    if (byText != 0) return byText < 0 ? -1 : 1;
    return aOid > bOid ? 1 : aOid < bOid ? -1 : 0;
}

namespace {

// The binary search of the first place whose contact sorts after the key contact: one read a
// halving, some seventeen in an order of 100,000. When a probe cannot be read the comparator is
// left failed and the place is that probe.
uint32_t FindPlace(std::span<const uint32_t> list, IndexComparator& cmp) {
    auto lo = static_cast<uint32_t>(0), hi = static_cast<uint32_t>(list.size());
    while (lo < hi) {
        const uint32_t mid = lo + (hi - lo) / 2;
        const int c = cmp.Compare(list[mid]);
        if (cmp.Failed()) return mid;
        if (c > 0) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

}  // namespace

bool StillInPlace(std::span<const uint32_t> list, size_t place, IndexComparator& comparator) {
    if (place >= list.size() || !comparator.SetKey(list[place])) return false;
    const bool afterPrevious = place == 0 || comparator.Compare(list[place - 1]) > 0;
    const bool beforeNext = place + 1 == list.size() || comparator.Compare(list[place + 1]) < 0;
    const bool kept = afterPrevious && beforeNext && !comparator.Failed();
    comparator.ClearFailed();
    return kept;
}

bool InsertOrdered(Allocator& alloc, uint32_t& listOffset, uint32_t oid, IndexComparator& comparator) {
    if (!comparator.SetKey(oid)) return false;
    for (;;) {
        const std::span<const uint32_t> list = OidList::View(alloc, listOffset);
        if (list.empty()) {
            const std::optional<uint32_t> made = OidList::Make(alloc, std::span(&oid, 1));
            if (made) listOffset = *made;
            return made.has_value();
        }
        const uint32_t place = FindPlace(list, comparator);
        // An unreadable entry at the place is a contact that is gone: it is dropped and the
        // place sought again in the shorter list.
        const bool drop = comparator.Failed();
        comparator.ClearFailed();
        const std::optional<uint32_t> next = drop
            ? OidList::Replace(alloc, listOffset, place, std::nullopt)
            : OidList::Replace(alloc, listOffset, place, oid);
        if (!next) return false;
        listOffset = *next;
        if (!drop) return true;
    }
}

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

// The binary search of the place of the key contact in `list`; when a probe cannot be read the
// comparator is left failed and the place is that probe.
uint32_t FindPlace(std::span<const uint32_t> list, IndexComparator& cmp) {
    const auto n = static_cast<uint32_t>(list.size());
    uint32_t lo = 0, hi = n - 1, mid = (n - 1) / 2;
    int c = cmp.Compare(list[mid]);
    while (!cmp.Failed()) {
        if (c < 0) {
            if (mid == 0) return 0;
            const int before = cmp.Compare(list[mid - 1]);
            if (cmp.Failed()) return mid - 1;
            if (before > 0) return mid;
            hi = mid - 1;
        } else {
            if (mid == n - 1) return n;
            const int after = cmp.Compare(list[mid + 1]);
            if (cmp.Failed() || after < 0) return mid + 1;
            lo = mid + 1;
        }
        mid = (lo + hi) / 2;
        c = cmp.Compare(list[mid]);
    }
    return mid;
}

}  // namespace

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

#include "manager/index/SortKeyCache.h"

bool SortKeyCache::ReadSortKeys(uint32_t oid, SortKeys& out) {
    const auto found = kept_.find(oid);
    if (found != kept_.end()) {
        out = found->second;
        return true;
    }
    if (!database_.ReadSortKeys(oid, out)) return false;
    if (kept_.size() >= kKept) kept_.clear();
    kept_.emplace(oid, out);
    return true;
}

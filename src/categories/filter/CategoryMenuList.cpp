#include "categories/filter/CategoryMenuList.h"

#include <algorithm>

#include "categories/filter/StoredIds.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

void CategoryMenuList::SetCapacity(int maxEntries) {
    capacity_ = std::max(maxEntries, 0);
    if (static_cast<int>(ids_.size()) > capacity_) ids_.erase(ids_.begin(), ids_.end() - capacity_);
}

void CategoryMenuList::MoveToRecent(uint32_t id) {
    if (capacity_ == 0) return;
    Remove(id);
    if (static_cast<int>(ids_.size()) >= capacity_) ids_.erase(ids_.begin());
    ids_.push_back(id);
}

void CategoryMenuList::Remove(uint32_t id) {
    ids_.erase(std::remove(ids_.begin(), ids_.end(), id), ids_.end());
}

void CategoryMenuList::Load() {
    const int64_t stored = SettingsStore::ReadDword(settings::kCatMenu, settings::kCount, 0);
    AppendStoredIds(settings::kCatMenu, std::min<int64_t>(stored, capacity_), ids_);
}

bool CategoryMenuList::Save() const {
    return SettingsStore::WriteDwordList(settings::kCatMenu, ids_);
}

#include "categories/filter/RecentContactList.h"

#include <algorithm>

#include "categories/filter/StoredIds.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

void RecentContactList::Touch(uint32_t oid) {
    const auto found = std::find(oids_.begin(), oids_.end(), oid);
    if (found != oids_.end()) {
        oids_.erase(found);
    } else if (static_cast<int>(oids_.size()) >= kCapacity) {
        oids_.pop_back();
    }
    oids_.insert(oids_.begin(), oid);
}

void RecentContactList::Remove(std::span<const uint32_t> oids) {
    std::erase_if(oids_, [&](uint32_t oid) { return std::find(oids.begin(), oids.end(), oid) != oids.end(); });
}

void RecentContactList::KeepExisting(std::span<const uint32_t> existing) {
    if (existing.empty()) return;
    std::erase_if(oids_, [&](uint32_t oid) { return std::find(existing.begin(), existing.end(), oid) == existing.end(); });
}

void RecentContactList::Load() {
    if (loaded_) return;
    loaded_ = true;
    const int64_t present = static_cast<int64_t>(oids_.size());
    const int64_t stored = SettingsStore::ReadDword(settings::kCatRecent, settings::kCount, 0);
    AppendStoredIds(settings::kCatRecent, std::min<int64_t>(stored + present, kCapacity) - present, oids_);
}

bool RecentContactList::Save() {
    Load();
    return SettingsStore::WriteDwordList(settings::kCatRecent, oids_);
}

#include "categories/ringtones/CallFilter.h"

#include <algorithm>
#include <string>

#include "categories/manager/CategoryManager.h"
#include "categories/ringtones/CallerGroups.h"
#include "core/result/StatusText.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

namespace {

std::u16string DecimalName(size_t index) {
    const std::string digits = std::to_string(index);
    return std::u16string(digits.begin(), digits.end());
}

bool Contains(const std::vector<int32_t>& ids, int32_t id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

std::optional<std::vector<int32_t>> AllCategoryIds() {
    CategoryManager* categories = CategoryManager::Instance();
    Array<CategoryEntry> entries;
    if (categories == nullptr || !categories->GetAllCategories(entries)) return std::nullopt;
    std::vector<int32_t> ids;
    for (const CategoryEntry& entry : entries) ids.push_back(static_cast<int32_t>(entry.id));
    return ids;
}

void CallFilter::Load() {
    all_ = SettingsStore::ReadDword(settings::kCatFilter, settings::kCatFilterAll, 0) != 0;
    ids_.clear();
    if (all_) return;
    for (uint32_t id : SettingsStore::ReadDwordList(settings::kCatFilter)) AddId(static_cast<int32_t>(id));
    if (Normalise()) (void)Save();  // the filter in memory is right; the next Load normalises again
}

Status CallFilter::Save() const {
    // A section not there yet is fine; the writes say whether they worked.
    (void)SettingsStore::DeleteSection(settings::kCatFilter);
    bool ok = SettingsStore::WriteDword(settings::kCatFilter, settings::kCatFilterAll, all_ ? 1 : 0);
    if (!all_) {
        ok = ok && SettingsStore::WriteDword(settings::kCatFilter, settings::kCount,
                                             static_cast<uint32_t>(ids_.size()));
        for (size_t i = 0; i < ids_.size() && ok; ++i) {
            ok = SettingsStore::WriteDword(settings::kCatFilter, DecimalName(i), static_cast<uint32_t>(ids_[i]));
        }
    }
    // Writes are committed at once; this says only whether the section exists.
    (void)SettingsStore::FlushSection(settings::kCatFilter);
    return OkOr(ok, kStrNotSaved);
}

bool CallFilter::IsEnabled(int32_t id) const { return !all_ && !Contains(ids_, id); }

Status CallFilter::EnableAll() {
    all_ = false;
    ids_.clear();
    return Save();
}

Status CallFilter::DisableAll() {
    all_ = true;
    ids_.clear();
    return Save();
}

Status CallFilter::SetEnabled(int32_t id, bool enable) {
    if (id == kGroupDefault) return Status::Ok();
    if (enable) {
        if (all_) {
            const std::optional<std::vector<int32_t>> categories = AllCategoryIds();
            if (!categories) return FailedWith(CategoryManager::kStrUnreadable);
            all_ = false;
            ids_ = *categories;
            for (int32_t special : {kGroupNoCategory, kGroupNoNumber, kGroupNoContact}) AddId(special);
        }
        std::erase(ids_, id);
    } else if (!all_) {
        // While all groups are kept away this one is too; listing it alone would let the others
        // through.
        AddId(id);
        (void)Normalise();  // whether it changed anything: Save writes either way
    }
    return Save();
}

Status CallFilter::SetFromChecks(const Array<int32_t>& ids, const Array<bool>& checks) {
    all_ = false;
    ids_.clear();
    for (int i = 0; i < ids.GetSize() && i < checks.GetSize(); ++i) {
        if (!checks[i]) AddId(ids[i]);
    }
    (void)Normalise();  // as above
    return Save();
}

bool CallFilter::Normalise() {
    all_ = false;
    for (int32_t special : {kGroupNoNumber, kGroupNoContact, kGroupNoCategory}) {
        if (!Contains(ids_, special)) return false;
    }
    // Every category must be listed, not merely as many ids as there are categories: an id of a
    // deleted category must not stand in for one that is still let through.
    const std::optional<std::vector<int32_t>> categories = AllCategoryIds();
    if (!categories) return false;
    for (int32_t id : *categories) {
        if (!Contains(ids_, id)) return false;
    }
    all_ = true;
    ids_.clear();
    return true;
}

void CallFilter::AddId(int32_t id) {
    if (id != kGroupDefault && !Contains(ids_, id)) ids_.push_back(id);
}

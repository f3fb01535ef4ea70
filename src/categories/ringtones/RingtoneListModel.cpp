#include "categories/ringtones/RingtoneListModel.h"

#include "categories/manager/CategoryManager.h"
#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/CallerGroups.h"
#include "categories/ringtones/RingtoneManager.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

namespace {

// The categories the dialog lists; false when they cannot be read.
bool ListedCategories(Array<CategoryEntry>& entries) {
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) return false;
    const bool all = SettingsStore::ReadDword(settings::kSettings, settings::kCidUseAllCat, 0) != 0;
    return (all ? categories->GetAllCategories(entries) : categories->GetCategoriesInUse(entries)).IsOk();
}

}  // namespace

bool RingtoneListModel::Load(const CallFilter& filter, const RingtoneManager& ringtones) {
    rows_.RemoveAll();
    for (const SpecialGroup& group : SpecialGroups()) AddRow(group.id, DisplayNameOf(group), filter);
    rows_[0].checked = true;
    Array<CategoryEntry> entries;
    const bool listed = ListedCategories(entries);
    for (const CategoryEntry& entry : entries) AddRow(static_cast<int32_t>(entry.id), entry.name, filter);

    Array<Str> names, paths;
    for (const RingtoneRow& row : rows_) names.Add(row.name);
    ringtones.RingtonesFor(names, paths);
    for (int i = 0; i < rows_.GetSize(); ++i) rows_[i].ringtone = paths[i];
    return listed;
}

void RingtoneListModel::AddRow(int32_t id, const Str& name, const CallFilter& filter) {
    rows_.Add(RingtoneRow{id, name, filter.IsEnabled(id), Str()});
}

void RingtoneListModel::ToggleCheck(int row) {
    if (row <= 0 || row >= rows_.GetSize()) return;
    rows_[row].checked = !rows_[row].checked;
}

void RingtoneListModel::SetRingtone(int row, const Str& path) {
    if (row >= 0 && row < rows_.GetSize()) rows_[row].ringtone = path;
}

bool RingtoneListModel::Apply(CallFilter& filter, RingtoneManager& ringtones) const {
    Array<Str> names, paths;
    Array<int32_t> ids;
    Array<bool> checks;
    for (const RingtoneRow& row : rows_) {
        names.Add(row.name);
        paths.Add(row.ringtone);
        ids.Add(row.id);
        checks.Add(row.checked);
    }
    // The dialog tells the user in its own words that the choice was not kept.
    const bool ringtonesSaved = ringtones.SetRingtones(names, paths).IsOk();
    return filter.SetFromChecks(ids, checks) && ringtonesSaved;
}

#include "categories/filter/CategoryListDialog.h"

#include <algorithm>

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "platform/ui/MessageBox.h"

namespace catfilter {

namespace {

constexpr uint32_t kStrProgramName = 101;

Str Lowered(const Str& text) {
    Str lower = text;
    lower.MakeLower();
    return lower;
}

}  // namespace

CategoryAddDialog::Ok CategoryAddDialog::OnOk(std::u16string_view text) {
    Str name(text.substr(0, std::min<size_t>(text.size(), kMaxNameChars)));
    name.TrimLeft();
    name.TrimRight();
    if (name.FindOneOf(u",;") >= 0) {
        plat::MessageBox(RequireStr(kStrBadCategoryName).View(), RequireStr(kStrAddCategoryTitle).View(),
                         plat::MB_OK | plat::MB_ICONWARNING);
        return Ok::Refused;
    }
    name_ = name;
    return name_.IsEmpty() ? Ok::Empty : Ok::Accepted;
}

CategoryListDialog::CategoryListDialog(const std::vector<uint32_t>& checked, bool allCategories)
    : allMode_(allCategories), checked_(checked) {
    Rebuild();
    current_ = entries_.IsEmpty() ? -1 : 0;
}

void CategoryListDialog::SetShowAll(bool on) {
    if (allMode_ || on == showAll_) return;
    showAll_ = on;
    Rebuild();
    SetCurrent(current_);
}

Str CategoryListDialog::EntryText(int index) const {
    const CategoryEntry& entry = entries_[index];
    return entry.exists ? entry.name : entry.name + RequireStr(kStrDeletedCategory);
}

bool CategoryListDialog::IsChecked(int index) const {
    if (index < 0 || index >= Count()) return false;
    return std::find(checked_.begin(), checked_.end(), entries_[index].id) != checked_.end();
}

void CategoryListDialog::Toggle(int index) {
    if (index < 0 || index >= Count()) return;
    const uint32_t id = entries_[index].id;
    if (IsChecked(index)) {
        std::erase(checked_, id);
    } else {
        checked_.push_back(id);
    }
}

void CategoryListDialog::SetCurrent(int index) {
    current_ = entries_.IsEmpty() ? -1 : std::clamp(index, 0, Count() - 1);
}

CategoryListDialog::AddResult CategoryListDialog::Add(const Str& name) {
    CategoryManager* categories = CategoryManager::Instance();
    uint32_t id = 0;
    const int added = categories == nullptr ? CategoryManager::kAddFailed : categories->AddCategory(name, id);
    if (added == CategoryManager::kAddFailed) return AddResult::Failed;
    if (!allMode_) showAll_ = true;
    Rebuild();
    const Str wanted = Lowered(name);
    for (int i = 0; i < Count(); ++i) {
        if (Lowered(entries_[i].name) == wanted) {
            current_ = i;
            break;
        }
    }
    return added == CategoryManager::kAddCreated ? AddResult::Added : AddResult::Existed;
}

bool CategoryListDialog::DeleteCurrent() {
    if (current_ < 0 || current_ >= Count()) return false;
    const uint32_t id = entries_[current_].id;
    std::erase(checked_, id);
    CategoryManager* categories = CategoryManager::Instance();
    const bool deleted = categories != nullptr && categories->DeleteCategory(id).IsOk();
    if (!deleted) {
        plat::MessageBox(RequireStr(kStrRefusedDelete).View(), RequireStr(kStrProgramName).View(),
                         plat::MB_OK | plat::MB_ICONINFORMATION);
    }
    Rebuild();
    SetCurrent(current_);
    return deleted;
}

std::vector<uint32_t> CategoryListDialog::Checked() const {
    std::vector<uint32_t> ids;
    for (int i = 0; i < Count(); ++i) {
        if (IsChecked(i)) ids.push_back(entries_[i].id);
    }
    return ids;
}

void CategoryListDialog::Rebuild() {
    entries_.RemoveAll();
    if (CategoryManager* categories = CategoryManager::Instance()) {
        const Status listed = allMode_ || showAll_ ? categories->GetAllCategories(entries_)
                                                   : categories->GetCategoriesInUse(entries_);
        if (!listed) entries_.RemoveAll();  // the dialog lists nothing it cannot read
    }
    std::erase_if(checked_, [this](uint32_t id) {
        return std::none_of(entries_.begin(), entries_.end(),
                            [id](const CategoryEntry& e) { return e.id == id; });
    });
}

}  // namespace catfilter

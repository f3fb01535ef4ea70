#include "categories/filter/CategoryFilter.h"

#include <algorithm>
#include <functional>

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"

namespace catfilter {

namespace {

constexpr uint32_t kStrMore = 41141;
constexpr uint32_t kStrAllContacts = 41142;
constexpr uint32_t kStrNoCategories = 41143;
constexpr uint32_t kStrRecent = 41144;
constexpr uint32_t kStrMultiple = 41145;

// Space kept free beside a menu text, in pixels at 96 dots per inch.
constexpr int kMenuMargin96 = 6;

std::vector<uint32_t> IdsFromBytes(const std::vector<uint8_t>& bytes) {
    std::vector<uint32_t> ids;
    for (size_t at = 0; at + 4 <= bytes.size(); at += 4) {
        ids.push_back(static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
                      static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24);
    }
    return ids;
}

std::vector<uint8_t> BytesFromIds(const std::vector<uint32_t>& ids) {
    std::vector<uint8_t> bytes;
    for (const uint32_t id : ids) {
        for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>(id >> shift));
    }
    return bytes;
}

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

// The menu's list is written only once it was read: a filter that never got to Init must not
// replace the stored list with an empty one.
CategoryFilter::~CategoryFilter() {
    if (initialized_) (void)menuList_.Save();  // a destructor cannot report; lists not kept start over
    (void)recent_.Save();
}

void CategoryFilter::Init(int menuWidth, int availableHeight) {
    menuWidth_ = menuWidth;
    Load();
    const int barHeight = host_.MenuBarHeight();
    menuList_.SetCapacity(barHeight > 0 ? availableHeight / barHeight - 4 : 0);
    menuList_.Load();
    initialized_ = true;
}

// `active` follows the state (set in states 1 and 2 only), whatever was stored beside it: a stored
// pair that disagrees would otherwise label the list "All Contacts" while showing only the
// contacts without a category, or the other way round.
void CategoryFilter::Load() {
    const int32_t stored = static_cast<int32_t>(SettingsStore::ReadDword(settings::kSettings, settings::kCatFltStat, 0));
    FilterState state = stored == kChosenCategories || stored == kNoCategories ? static_cast<FilterState>(stored) : kAllContacts;
    std::vector<uint32_t> ids;
    if (state == kChosenCategories) {
        CategoryManager* categories = CategoryManager::Instance();
        for (const uint32_t id : IdsFromBytes(SettingsStore::ReadBinary(settings::kSettings, settings::kCatFltData))) {
            Str name;
            if (categories != nullptr && categories->GetCategoryName(id, name)) ids.push_back(id);
        }
        if (ids.empty()) state = kAllContacts;
    }
    SetState(state, state == kChosenCategories || state == kNoCategories, std::move(ids));
}

void CategoryFilter::Save() const {
    // The filter's state is a convenience: one not kept starts over.
    (void)SettingsStore::WriteDword(settings::kSettings, settings::kCatFltActive, active_ ? 1 : 0);
    (void)SettingsStore::WriteDword(settings::kSettings, settings::kCatFltStat,
                                    static_cast<uint32_t>(state_));
    if (ids_.empty()) {
        (void)SettingsStore::DeleteValue(settings::kSettings, settings::kCatFltData);
    } else {
        (void)SettingsStore::WriteBinary(settings::kSettings, settings::kCatFltData, BytesFromIds(ids_));
    }
}

void CategoryFilter::SetState(FilterState state, bool active, std::vector<uint32_t> ids) {
    state_ = state;
    active_ = active;
    ids_ = std::move(ids);
    sortedIds_ = ids_;
    std::sort(sortedIds_.begin(), sortedIds_.end());
    SetLabel();
}

void CategoryFilter::SetLabel() {
    switch (state_) {
    case kChosenCategories:
        if (ids_.size() > 1) {
            label_ = RequireStr(kStrMultiple);
        } else if (CategoryManager* categories = CategoryManager::Instance();
                   categories == nullptr || !categories->GetCategoryName(ids_.front(), label_)) {
            label_.Empty();
        }
        break;
    case kNoCategories: label_ = RequireStr(kStrNoCategories); break;
    case kRecent: label_ = RequireStr(kStrRecent); break;
    default: label_ = RequireStr(kStrAllContacts); break;
    }
}

// The category entries: the menu's own list first (categories deleted meanwhile leave it), filled
// up with categories in use to Capacity() entries, then sorted by name.
bool CategoryFilter::MenuEntries() {
    menuEntries_.RemoveAll();
    CategoryManager* categories = CategoryManager::Instance();
    if (categories == nullptr) return false;
    const std::vector<uint32_t> listed = menuList_.Ids();
    for (const uint32_t id : listed) {
        CategoryEntry entry;
        entry.id = id;
        entry.exists = categories->GetCategoryName(id, entry.name);
        if (entry.exists) {
            menuEntries_.Add(entry);
        } else {
            menuList_.Remove(id);
        }
    }
    if (static_cast<int>(menuList_.Ids().size()) < menuList_.Capacity()) {
        Array<CategoryEntry> inUse;
        if (!categories->GetCategoriesInUse(inUse)) {
            menuEntries_.RemoveAll();
            return false;
        }
        for (const CategoryEntry& entry : inUse) {
            if (menuEntries_.GetSize() >= menuList_.Capacity()) break;
            const auto& ids = menuList_.Ids();
            if (std::find(ids.begin(), ids.end(), entry.id) == ids.end()) menuEntries_.Add(entry);
        }
    }
    SortByName(menuEntries_);
    return true;
}

bool CategoryFilter::BuildMenu(MenuDescription& menu) {
    menu.items.clear();
    moreCommand_ = 0;
    if (!MenuEntries()) return false;
    const bool fixedMark = sortedIds_.empty();
    menu.Add(kCommandRecent, FitToMenu(RequireStr(kStrRecent)), fixedMark && state_ == kRecent);
    menu.Add(kCommandAll, FitToMenu(RequireStr(kStrAllContacts)), fixedMark && state_ == kAllContacts);
    menu.Add(kCommandNone, FitToMenu(RequireStr(kStrNoCategories)), fixedMark && state_ == kNoCategories);
    uint32_t command = kFirstCategoryCommand;
    for (const CategoryEntry& entry : menuEntries_) {
        menu.Add(command++, FitToMenu(entry.name), std::binary_search(sortedIds_.begin(), sortedIds_.end(), entry.id));
    }
    moreCommand_ = command;
    menu.Add(moreCommand_, FitToMenu(RequireStr(kStrMore)));
    return true;
}

// The text, or its longest beginning followed by "..." that fits the menu width less the margin.
Str CategoryFilter::FitToMenu(const Str& text) {
    const int room = menuWidth_ - (kMenuMargin96 * host_.ScreenDpiX() + 48) / 96;
    if (host_.TextWidth(text.View()) <= room) return text;
    for (int keep = text.GetLength() - 1; keep > 0; --keep) {
        if (IsHighSurrogate(text[keep - 1])) continue;
        Str cut = text.Left(keep) + Str(u"...");
        if (host_.TextWidth(cut.View()) <= room) return cut;
    }
    return Str(u"...");
}

bool CategoryFilter::ApplyMenuChoice(uint32_t command) {
    return Changing([&] { return Carry(command); });
}

bool CategoryFilter::ChooseCategories() {
    return Changing([&] { return ChooseFromDialog(false); });
}

// Runs `carry`; when it did something the filter is saved and the result tells whether `active`,
// the ids (in order) or the state differ from before.
bool CategoryFilter::Changing(const std::function<bool()>& carry) {
    const bool wasActive = active_;
    const FilterState wasState = state_;
    const std::vector<uint32_t> wasIds = ids_;
    if (!carry()) return false;
    Save();
    return active_ != wasActive || state_ != wasState || ids_ != wasIds;
}

// Carries out one menu command; false for a command the last menu did not hold and for a
// cancelled dialog.
bool CategoryFilter::Carry(uint32_t command) {
    const int entry = static_cast<int>(command) - static_cast<int>(kFirstCategoryCommand);
    if (command == kCommandRecent) {
        recent_.Load();
        recent_.KeepExisting(host_.AllContacts());
        state_ = kRecent;
        active_ = false;
        sortedIds_.clear();
        SetLabel();
    } else if (command == kCommandAll) {
        SetState(kAllContacts, false, {});
    } else if (command == kCommandNone) {
        SetState(kNoCategories, true, {});
    } else if (moreCommand_ != 0 && command == moreCommand_) {
        return ChooseFromDialog(true);
    } else if (entry >= 0 && entry < menuEntries_.GetSize()) {
        const uint32_t id = menuEntries_[entry].id;
        SetState(kChosenCategories, true, {id});
        menuList_.MoveToRecent(id);
    } else {
        return false;
    }
    return true;
}

// The dialog's choice: none checked is "All Contacts"; otherwise the chosen ids, of which the
// first Capacity() enter the menu's list so that the first chosen ends most recent.
bool CategoryFilter::ChooseFromDialog(bool inUseOnly) {
    std::vector<uint32_t> chosen;
    if (!host_.ChooseCategories(inUseOnly, ids_, chosen)) return false;
    if (chosen.empty()) {
        SetState(kAllContacts, false, {});
        return true;
    }
    const size_t entering = std::min<size_t>(chosen.size(), static_cast<size_t>(menuList_.Capacity()));
    for (size_t i = entering; i-- > 0;) menuList_.MoveToRecent(chosen[i]);
    SetState(kChosenCategories, true, std::move(chosen));
    return true;
}

void CategoryFilter::TouchContact(uint32_t oid) { recent_.Touch(oid); }

void CategoryFilter::RemoveContacts(std::span<const uint32_t> oids) { recent_.Remove(oids); }

}  // namespace catfilter

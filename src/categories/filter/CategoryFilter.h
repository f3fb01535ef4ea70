#pragma once
// CategoryFilter: the contacts frame's choice of which contacts its list shows (everyone, the
// contacts of chosen categories, those without a category, or the recently used ones), kept
// across runs in the settings, offered as a popup menu under the frame's filter button, and read
// by the list builder. It owns the two small most-recently-used lists of the filter.
//
// The list builder reads it this way: State() kRecent shows the contacts of Recent() in that
// order, categories playing no part; otherwise Active() clear shows everyone, Active() with no
// Ids() the contacts that have an item number and no category, and Active() with Ids() the
// contacts having at least one of them.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "categories/filter/CategoryFilterHost.h"
#include "categories/filter/CategoryMenuList.h"
#include "categories/filter/RecentContactList.h"
#include "categories/manager/CategoryEntry.h"
#include "core/array/Array.h"
#include "core/menu/MenuDescription.h"
#include "core/str/Str.h"

namespace catfilter {

enum FilterState : int32_t { kAllContacts = 0, kChosenCategories = 1, kNoCategories = 2, kRecent = 3 };

// The fixed commands of the filter menu; the categories follow from kFirstCategoryCommand and
// "More..." comes last (MoreCommand()).
enum FilterCommand : uint32_t { kCommandRecent = 1, kCommandAll = 2, kCommandNone = 3, kFirstCategoryCommand = 4 };

class CategoryFilter {
public:
    explicit CategoryFilter(CategoryFilterHost& host) : host_(host) {}
    // Saves the menu's category list and the recent contacts.
    ~CategoryFilter();
    CategoryFilter(const CategoryFilter&) = delete;
    CategoryFilter& operator=(const CategoryFilter&) = delete;

    // Once the frame's window exists: the widest menu text in pixels and the height the menu may
    // take. Restores the filter from the settings and loads the menu's category list, which holds
    // (availableHeight / menu-bar height) - 4 categories.
    void Init(int menuWidth, int availableHeight);

    // The popup menu. False, with an empty menu from which nothing can be chosen, when the
    // categories cannot be listed.
    [[nodiscard]] bool BuildMenu(MenuDescription& menu);
    // Carries out a command of the last menu built; true when `active`, the ids or the state
    // changed (the frame then rebuilds its list). The filter is saved after every choice.
    [[nodiscard]] bool ApplyMenuChoice(uint32_t command);
    // The frame's "Category List" command: the dialog with every category, applied as "More..." is.
    [[nodiscard]] bool ChooseCategories();

    // The contact was created, saved or used: it moves to the front of the recent list.
    void TouchContact(uint32_t oid);
    // The contacts were deleted.
    void RemoveContacts(std::span<const uint32_t> oids);

    FilterState State() const { return state_; }
    [[nodiscard]] bool Active() const { return active_; }
    const std::vector<uint32_t>& Ids() const { return ids_; }
    const std::vector<uint32_t>& SortedIds() const { return sortedIds_; }
    const Str& Label() const { return label_; }
    uint32_t MoreCommand() const { return moreCommand_; }
    const CategoryMenuList& MenuList() const { return menuList_; }
    const RecentContactList& Recent() const { return recent_; }

private:
    void Load();
    void Save() const;
    void SetState(FilterState state, bool active, std::vector<uint32_t> ids);
    void SetLabel();
    [[nodiscard]] bool MenuEntries();
    Str FitToMenu(const Str& text);
    [[nodiscard]] bool Changing(const std::function<bool()>& carry);
    [[nodiscard]] bool Carry(uint32_t command);
    [[nodiscard]] bool ChooseFromDialog(bool inUseOnly);

    CategoryFilterHost& host_;
    FilterState state_ = kAllContacts;
    bool active_ = false;
    std::vector<uint32_t> ids_;
    std::vector<uint32_t> sortedIds_;
    Str label_;
    int menuWidth_ = 0;
    Array<CategoryEntry> menuEntries_;  // the category entries of the menu last built, in menu order
    uint32_t moreCommand_ = 0;
    CategoryMenuList menuList_;
    RecentContactList recent_;
    bool initialized_ = false;
};

}  // namespace catfilter

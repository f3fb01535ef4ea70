#pragma once
// The category list dialog (dialog 172, "Category") and its add dialog, without their windows:
// the only place where categories are created or deleted.
//
// The dialog lists every category, or in the in-use mode (the filter's "More...") only those
// assigned to a contact until "Show All Categories" is checked. Tapping an entry toggles its
// check; whenever the list is rebuilt the checked ids are carried over and ids no longer listed
// drop out. "New" adds a category from the add dialog (names with "," or ";" refused), "Delete"
// deletes the current entry when nothing refers to it, OK hands back the checked ids in list
// order.
#include <cstdint>
#include <string_view>
#include <vector>

#include "categories/manager/CategoryEntry.h"
#include "core/array/Array.h"
#include "core/str/Str.h"

namespace catfilter {

inline constexpr uint32_t kStrCategoryTitle = 113;
inline constexpr uint32_t kStrRefusedDelete = 131;
inline constexpr uint32_t kStrAddCategoryTitle = 40239;
inline constexpr uint32_t kStrBadCategoryName = 40240;
inline constexpr uint32_t kStrDeletedCategory = 40242;
inline constexpr uint32_t kStrShowAllCategories = 42240;
inline constexpr uint32_t kStrNew = 42238;
inline constexpr uint32_t kStrTools = 42239;

// The add dialog (CApCatAddDlg): one text field of up to 256 characters.
class CategoryAddDialog {
public:
    static constexpr int kMaxNameChars = 256;
    enum class Ok {
        Refused,  // the name holds "," or ";": the box was shown, the dialog stays open
        Empty,    // nothing to add; the dialog closes
        Accepted  // the dialog closes with Name()
    };
    // OK pressed with the field's text (trimmed, cut to kMaxNameChars).
    Ok OnOk(std::u16string_view text);
    const Str& Name() const { return name_; }

private:
    Str name_;
};

class CategoryListDialog {
public:
    // `checked`: the initial selection; `allCategories`: list every category and hide the
    // "Show All Categories" check box (otherwise the in-use mode, the box unchecked).
    CategoryListDialog(const std::vector<uint32_t>& checked, bool allCategories);

    [[nodiscard]] bool ShowsAllBox() const { return !allMode_; }
    [[nodiscard]] bool ShowAll() const { return showAll_; }
    void SetShowAll(bool on);

    int Count() const { return entries_.GetSize(); }
    const CategoryEntry& Entry(int index) const { return entries_[index]; }
    // The name, with " (deleted category)" after an entry that has no category record.
    Str EntryText(int index) const;
    [[nodiscard]] bool IsChecked(int index) const;
    void Toggle(int index);

    int Current() const { return current_; }
    void SetCurrent(int index);

    enum class AddResult { Failed, Added, Existed };
    // "New" ended with OK and a name: adds it (an existing name is no error), lists every category
    // when the in-use mode hid some, and makes the first entry of that name (ignoring case)
    // current, unchecked.
    AddResult Add(const Str& name);
    // "Delete": the current entry leaves the checked set and is deleted unless something refers to
    // it (then a box says so). The current position stays, one less when the last entry went.
    // True when the category was deleted.
    [[nodiscard]] bool DeleteCurrent();

    // OK: the checked ids in list order.
    std::vector<uint32_t> Checked() const;

private:
    void Rebuild();

    bool allMode_;
    bool showAll_ = false;
    Array<CategoryEntry> entries_;
    std::vector<uint32_t> checked_;
    int current_ = -1;
};

}  // namespace catfilter

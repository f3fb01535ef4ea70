#include "categories/ringtones/CallFilterMenu.h"

#include <optional>

#include "categories/ringtones/CallFilter.h"
#include "categories/ringtones/CallerGroups.h"
#include "core/result/StatusText.h"

namespace {

// The group a toggle command stands for; nothing for another command.
std::optional<int32_t> GroupOf(const Array<CategoryEntry>& categories, uint32_t command) {
    switch (command) {
        case kCmdCallFilterNoNumber: return kGroupNoNumber;
        case kCmdCallFilterNoContact: return kGroupNoContact;
        case kCmdCallFilterNoCategory: return kGroupNoCategory;
        default: break;
    }
    if (command < kCmdCallFilterFirstCategory || command > kCmdCallFilterLast) return std::nullopt;
    const uint32_t index = command - kCmdCallFilterFirstCategory;
    if (index >= static_cast<uint32_t>(categories.GetSize())) return std::nullopt;
    return static_cast<int32_t>(categories[static_cast<int>(index)].id);
}

Str Text(uint32_t id) {
    Str text;
    (void)text.LoadString(id);  // a failed load is logged and traced; the text stays empty
    return text;
}

}  // namespace

MenuDescription BuildCallFilterMenu(const CallFilter& filter, const Array<CategoryEntry>& categories) {
    MenuDescription menu;
    menu.Add(kCmdCallFilterEnableAll, Text(kStrEnableAll), !filter.All() && filter.FilteredIds().empty());
    menu.Add(kCmdCallFilterDisableAll, Text(kStrDisableAll), filter.All());
    menu.AddSeparator();
    menu.Add(kCmdCallFilterNoNumber, Text(kStrNoNumber), filter.IsEnabled(kGroupNoNumber));
    menu.Add(kCmdCallFilterNoContact, Text(kStrNoContact), filter.IsEnabled(kGroupNoContact));
    menu.Add(kCmdCallFilterNoCategory, Text(kStrNoCategory), filter.IsEnabled(kGroupNoCategory));
    uint32_t command = kCmdCallFilterFirstCategory;
    for (const CategoryEntry& category : categories) {
        if (command > kCmdCallFilterLast) break;
        menu.Add(command++, category.name, filter.IsEnabled(static_cast<int32_t>(category.id)));
    }
    return menu;
}

Status RunCallFilterCommand(CallFilter& filter, const Array<CategoryEntry>& categories, uint32_t command) {
    if (command == kCmdCallFilterEnableAll) return filter.EnableAll();
    if (command == kCmdCallFilterDisableAll) return filter.DisableAll();
    const std::optional<int32_t> group = GroupOf(categories, command);
    if (!group) return FailedWith(CallFilter::kStrNotSaved, StatusCode::Invalid);
    return filter.SetEnabled(*group, !filter.IsEnabled(*group));
}

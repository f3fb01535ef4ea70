#include "manager/search/ListRows.h"

#include "core/res/ResourceStrings.h"
#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "store/contact/ContactFields.h"
#include "store/contact/StdContact.h"

namespace {

constexpr uint32_t kStrUnnamed = 41280;

}  // namespace

Str RowName(const StdContact& contact, ListOrder order) {
    const Str name = order == ListOrder::FileAs ? contact.GetText(kFieldFileAs) : contact.GetDisplayName();
    return name.IsEmpty() ? RequireStr(kStrUnnamed) : name;
}

std::span<const int> RowNameFields() {
    static constexpr int kFields[] = {kFieldFileAs, kFieldLast,  kFieldFirst, kFieldCompany,
                                      kFieldMiddle, kFieldTitle, kFieldSuffix};
    return kFields;
}

ListOrder StoredListOrder() {
    switch (SettingsStore::ReadDword(settings::kSettings, settings::kSortType, 0)) {
        case 1: return ListOrder::FileAs;
        case 2: return ListOrder::Company;
        default: return ListOrder::Name;
    }
}

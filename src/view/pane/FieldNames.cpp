#include "view/pane/FieldNames.h"

#include <algorithm>
#include <array>
#include <vector>

#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ContactFields.h"
#include "view/pane/ContactFieldBag.h"
#include "view/template/TemplateGroup.h"

namespace {

static_assert(static_cast<int>(FieldGroup::Name) == kGroupName &&
                  static_cast<int>(FieldGroup::Other) == kGroupOther &&
                  static_cast<int>(FieldGroup::Note) == kGroupNote,
              "the field table numbers its groups as the template does");

// The group of each bag list, in BagList order.
constexpr FieldGroup kGroupOfList[kBagListCount] = {
    FieldGroup::Name,  FieldGroup::Phone, FieldGroup::Email,     FieldGroup::Web,     FieldGroup::People,
    FieldGroup::Links, FieldGroup::Dates, FieldGroup::Messaging, FieldGroup::Address, FieldGroup::Other,
};

// The fields of the table that a row of the group stands for, in bag order.
std::vector<const FieldInfo*> NamedRows(FieldGroup group, FieldKind kind) {
    std::vector<const FieldInfo*> rows;
    for (const FieldInfo& info : ContactFieldTable()) {
        if (info.group == group && info.kind == kind && info.name != 0) rows.push_back(&info);
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const FieldInfo* a, const FieldInfo* b) { return a->order < b->order; });
    return rows;
}

std::vector<NamedField> BuildNamedFields(int bagList) {
    const FieldGroup group = kGroupOfList[bagList];
    if (group == FieldGroup::Address) return {};
    std::vector<NamedField> fields;
    for (const FieldInfo* info :
         NamedRows(group, group == FieldGroup::Dates ? FieldKind::Date : FieldKind::Text)) {
        fields.push_back({info->id, info->name});
    }
    return fields;
}

std::vector<NamedAddress> BuildAddresses() {
    std::vector<NamedAddress> addresses;
    for (const FieldInfo* part : NamedRows(FieldGroup::Address, FieldKind::Text)) {
        if (addresses.empty() || addresses.back().name != part->name)
            addresses.push_back({part->name, {}, nullptr});
        addresses.back().fields[part->slot] = part->id;
    }
    for (const FieldInfo* word : NamedRows(FieldGroup::Address, FieldKind::Further)) {
        for (NamedAddress& address : addresses) {
            if (address.name == word->name) address.format = FormatWordOf(word->id);
        }
    }
    return addresses;
}

}  // namespace

std::span<const NamedField> NamedFieldsOf(int bagList) {
    static const std::array<std::vector<NamedField>, kBagListCount> lists = [] {
        std::array<std::vector<NamedField>, kBagListCount> built;
        for (int list = 0; list < kBagListCount; ++list) built[list] = BuildNamedFields(list);
        return built;
    }();
    return bagList >= 0 && bagList < kBagListCount ? std::span<const NamedField>(lists[bagList])
                                                   : std::span<const NamedField>();
}

Array<CustText> ContactCustProps::*CustomTextsOf(int bagList) {
    if (bagList < 0 || bagList >= kBagListCount) return nullptr;
    for (const FieldInfo& info : ContactFieldTable()) {
        if (info.group == kGroupOfList[bagList] && CustomTextListOf(info.id) != nullptr)
            return CustomTextListOf(info.id);
    }
    return nullptr;
}

std::span<const NamedAddress> NamedAddresses() {
    static const std::vector<NamedAddress> addresses = BuildAddresses();
    return addresses;
}

int NameEntryField(int entry) {
    for (const FieldInfo& info : ContactFieldTable()) {
        if (info.group == FieldGroup::Name && info.kind == FieldKind::Text && info.entry == entry)
            return info.id;
    }
    return -1;
}

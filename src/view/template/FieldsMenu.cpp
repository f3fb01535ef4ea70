#include "view/template/FieldsMenu.h"

#include "view/template/ContactTemplate.h"

namespace {

constexpr FieldsMenuItem kItems[] = {
    {113, 44032, kNameTitle, -1},          // Title
    {109, 44033, kNameSuffix, -1},         // Suffix
    {110, 44046, kNameJobTitle, -1},       // Job Title
    {111, 44045, kNameDepartment, -1},     // Department
    {112, 44087, kNameFileAs, -1},         // FileAs
    {41167, 44088, -1, kGroupPhone},       // Phone
    {41168, 44010, -1, kGroupEmail},       // E-mail
    {41169, 44055, -1, kGroupMessaging},   // IM
    {41170, 44040, -1, kGroupWeb},         // Web
    {41171, 44089, -1, kGroupOffice},      // Office location
    {41172, 44090, -1, kGroupAddress},     // Address
    {41173, 44091, -1, kGroupCategories},  // Categories
    {41174, 44092, -1, kGroupPeople},      // People
    {41175, 44093, -1, kGroupDates},       // Date
    {41176, 44094, -1, kGroupLinks},       // Linked file
    {41267, 44095, -1, kGroupOther},       // Other
};

}  // namespace

std::span<const FieldsMenuItem> FieldsMenuItems() { return kItems; }

const FieldsMenuItem* FieldsMenuItemOf(uint32_t command) {
    for (const FieldsMenuItem& item : kItems) {
        if (item.command == command) return &item;
    }
    return nullptr;
}

bool IsCheckedInTemplate(const FieldsMenuItem& item, const ContactTemplate& tpl) {
    return item.field >= 0 ? tpl.IsFieldShown(item.field) : tpl.IsGroupShown(item.group);
}

void ToggleInTemplate(const FieldsMenuItem& item, ContactTemplate& tpl) {
    if (item.field >= 0) {
        tpl.SetFieldShown(item.field, !tpl.IsFieldShown(item.field));
    } else {
        tpl.SetGroupShown(item.group, !tpl.IsGroupShown(item.group));
    }
}

#include "view/template/FieldsMenu.h"

#include "view/template/ContactTemplate.h"

namespace {

constexpr FieldsMenuItem kItems[] = {
    {113, u"Title", kNameTitle, -1},
    {109, u"Suffix", kNameSuffix, -1},
    {110, u"Job Title", kNameJobTitle, -1},
    {111, u"Department", kNameDepartment, -1},
    {112, u"FileAs", kNameFileAs, -1},
    {41167, u"Phone", -1, kGroupPhone},
    {41168, u"E-mail", -1, kGroupEmail},
    {41169, u"IM", -1, kGroupMessaging},
    {41170, u"Web", -1, kGroupWeb},
    {41171, u"Office location", -1, kGroupOffice},
    {41172, u"Address", -1, kGroupAddress},
    {41173, u"Categories", -1, kGroupCategories},
    {41174, u"People", -1, kGroupPeople},
    {41175, u"Date", -1, kGroupDates},
    {41176, u"Linked file", -1, kGroupLinks},
    {41267, u"Other", -1, kGroupOther},
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

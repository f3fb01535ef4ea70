#pragma once
// The "Fields" menu of the template editor and of the edit dialog: five name fields and the
// eleven groups that can be switched. The template editor checks and flips them in the template;
// the edit dialog checks them by what its form shows and only ever adds.
#include <cstdint>
#include <span>

class ContactTemplate;

struct FieldsMenuItem {
    uint32_t command;
    uint32_t text;  // string resource
    int field;  // the name field the item stands for, or -1
    int group;  // the template group the item stands for, or -1
};

// The items in menu order.
std::span<const FieldsMenuItem> FieldsMenuItems();
// The item of a command; none for another command.
const FieldsMenuItem* FieldsMenuItemOf(uint32_t command);

// The template editor: an item is checked when its field or group is shown; choosing it flips
// that (a group switched on gets its default entries when it has none).
[[nodiscard]] bool IsCheckedInTemplate(const FieldsMenuItem& item, const ContactTemplate& tpl);
void ToggleInTemplate(const FieldsMenuItem& item, ContactTemplate& tpl);

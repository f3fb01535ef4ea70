#include "phone/menu/ContactListPhoneMenu.h"

#include "core/res/ResourceStrings.h"
#include "phone/menu/CustomTag.h"
#include "phone/menu/PhoneFields.h"
#include "phone/templates/PhoneTemplates.h"
#include "store/contact/Contact.h"

void ContactListPhoneMenu::Add(uint32_t tag, uint32_t customTag, const Str& label, const Str& raw,
                               bool email, const PhoneTemplates* formats) {
    if (raw.IsEmpty()) return;
    PhoneMenuEntry entry{tag, customTag, label, raw, raw, email};
    if (formats) entry.display = formats->Formatted(entry.display);
    entries_.push_back(std::move(entry));
}

void ContactListPhoneMenu::Build(const Contact& contact, const PhoneTemplates& formats) {
    entries_.clear();
    for (const NumberField& field : kMenuPhoneFields) {
        Add(field.tag, 0, RequireStr(field.label), FieldText(contact, field.tag), false, &formats);
    }
    for (const CustText& phone : contact.phones) {
        Add(0, CustomTag(phone.label.View(), phone.value.View()), phone.label, phone.value, false, &formats);
    }
    for (const NumberField& field : kEmailNumberFields) {
        Add(field.tag, 0, RequireStr(field.label), FieldText(contact, field.tag), true, nullptr);
    }
    for (const CustText& email : contact.emails) {
        Add(0, CustomTag(email.label.View(), email.value.View()), email.label, email.value, true, nullptr);
    }
    defaultIndex_ = entries_.empty() ? -1 : 0;
    const uint32_t tag = contact.GetDefaultTag();
    for (size_t i = 0; i < entries_.size() && tag != 0; ++i) {
        if (entries_[i].DefaultTag() == tag) {
            defaultIndex_ = static_cast<int>(i);
            break;
        }
    }
}

Str ContactListPhoneMenu::ActionText() const {
    if (defaultIndex_ < 0) return {};
    return RequireStr(entries_[defaultIndex_].email ? kStrEmailTo : kStrDialTo);
}

MenuDescription ContactListPhoneMenu::Describe() const {
    MenuDescription menu;
    if (!ShouldShow()) return menu;
    for (size_t i = 0; i < entries_.size(); ++i) {
        MenuItem item;
        item.id = kFirstEntryCommand + static_cast<uint32_t>(i);
        item.text = entries_[i].display;
        item.mark = static_cast<int>(i) == defaultIndex_ ? MenuMark::Radio : MenuMark::None;
        menu.push_back(std::move(item));
    }
    menu.push_back(MenuItem::Separator());
    MenuItem action;
    action.id = kActionCommand;
    action.text = ActionText();
    menu.push_back(std::move(action));
    return menu;
}

PhoneMenuChoice ContactListPhoneMenu::Choose(uint32_t command) const {
    PhoneMenuChoice choice;
    if (command == kActionCommand && defaultIndex_ >= 0) {
        const PhoneMenuEntry& entry = entries_[defaultIndex_];
        choice.kind = entry.email ? PhoneMenuChoice::Kind::Email : PhoneMenuChoice::Kind::Call;
        choice.text = entry.email ? entry.raw : entry.display;
    } else if (command >= kFirstEntryCommand && command - kFirstEntryCommand < entries_.size()) {
        choice.kind = PhoneMenuChoice::Kind::NewDefault;
        choice.newDefaultTag = entries_[command - kFirstEntryCommand].DefaultTag();
    }
    return choice;
}

MenuPlacement ContactListPhoneMenu::Place(int rowTop, int rowBottom, int rowRight, int screenBottom,
                                          int lines, int lineHeight) {
    const bool above = screenBottom - rowBottom < lines * lineHeight;
    return {rowRight, above ? rowTop : rowBottom, above};
}

int ContactListPhoneMenu::VisibleChars(std::u16string_view display, int lineWidth, int labelWidth, int dpi,
                                       const std::function<int(std::u16string_view)>& width) {
    const auto scaled = [dpi](int pixels) { return (pixels * dpi + 48) / 96; };
    const int room = lineWidth - scaled(6) - scaled(4) - labelWidth;
    int count = static_cast<int>(display.size());
    while (count > 0 && width(display.substr(0, count)) > room) --count;
    return count;
}

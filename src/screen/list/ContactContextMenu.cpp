#include "screen/list/ContactContextMenu.h"

#include <algorithm>

#include "core/res/ResourceStrings.h"
#include "ext/addins/AddinAbi.h"
#include "ext/addins/AddinManager.h"
#include "phone/menu/PhoneFields.h"
#include "phone/templates/PhoneTemplates.h"
#include "store/contact/Contact.h"
#include "store/contact/Trim.h"
#include "screen/list/ListStrings.h"

namespace {

// Faxes take no messages; every other number may.
bool TakesMessages(uint32_t tag) { return tag != kTagHomeFax && tag != kTagWorkFax; }

MenuItem Item(uint32_t id, uint32_t textId) {
    MenuItem item;
    item.id = id;
    item.text = RequireStr(textId);
    return item;
}

// The contact's own values with a value, numbered from `first` up to kMaxEntry: its numbers when
// `formats` is given (shown through them, and they take messages), else its addresses.
void AddOwn(std::vector<ContextEntry>& entries, const Array<CustText>& values, uint32_t first,
            const PhoneTemplates* formats) {
    uint32_t number = first;
    for (const CustText& own : values) {
        if (own.value.IsEmpty() || number > ContactContextMenu::kMaxEntry) continue;
        ContextEntry entry{number++, own.label, own.value, formats != nullptr};
        // A number no template fits stays as it is.
        if (formats != nullptr) entry.value = formats->Formatted(entry.value);
        entries.push_back(std::move(entry));
    }
}

}  // namespace

Str ContactContextMenu::TitleOf(const Contact& contact) {
    const Str first = TrimBoth(contact.GetText(kFieldFirst));
    const Str last = TrimBoth(contact.GetText(kFieldLast));
    Str title = first.IsEmpty() || last.IsEmpty() ? first + last : first + u' ' + last;
    if (title.IsEmpty()) title = TrimBoth(contact.GetText(kFieldCompany));
    return title.IsEmpty() ? RequireStr(liststr::kUnnamed) : title;
}

void ContactContextMenu::Build(const Contact& contact, const PhoneTemplates& formats) {
    several_ = false;
    title_ = TitleOf(contact);
    numbers_.clear();
    addresses_.clear();
    uint32_t number = 1;
    for (const NumberField& field : kMenuPhoneFields) {
        Str value = FieldText(contact, field.tag);
        if (!value.IsEmpty()) {
            value = formats.Formatted(value);
            numbers_.push_back({number, RequireStr(field.label), value, TakesMessages(field.tag)});
        }
        ++number;
    }
    AddOwn(numbers_, contact.phones, number, &formats);
    number = 1;
    for (const NumberField& field : kEmailNumberFields) {
        const Str& value = FieldText(contact, field.tag);
        if (!value.IsEmpty()) addresses_.push_back({number, RequireStr(field.label), value, false});
        ++number;
    }
    AddOwn(addresses_, contact.emails, number, nullptr);
}

void ContactContextMenu::BuildForSeveral() {
    several_ = true;
    title_.Empty();
    numbers_.clear();
    addresses_.clear();
}

MenuDescription ContactContextMenu::Describe(AddinManager* addins, std::span<const uint32_t> selected) const {
    MenuDescription menu;
    if (several_) {
        menu.push_back(Item(kBeam, liststr::kBeam));
        menu.push_back(Item(kDelete, liststr::kDelete));
        return menu;
    }
    MenuItem title;
    title.text = title_;
    title.enabled = false;
    menu.push_back(std::move(title));
    menu.AddSeparator();
    const bool calls = !numbers_.empty();
    if (calls) {
        AddEntries(menu, liststr::kCallPhone, kCallBase, numbers_, false);
        menu.push_back(Item(kEditAndCall, liststr::kEditAndCall));
    }
    AddEntries(menu, liststr::kSendSms, kSmsBase, numbers_, true);
    AddEntries(menu, liststr::kSendEmail, kEmailBase, addresses_, false);
    if (calls || !addresses_.empty()) menu.AddSeparator();
    menu.push_back(Item(kDuplicate, liststr::kDuplicate));
    menu.push_back(Item(kDelete, liststr::kDelete));
    menu.AddSeparator();
    menu.push_back(Item(kBeam, liststr::kBeam));
    menu.push_back(Item(kAppointment, liststr::kMakeAppointment));
    // Without add-ins the menu has no submenu.
    if (addins != nullptr) (void)addins->BuildMenu(menu, selected);
    return menu;
}

void ContactContextMenu::AddEntries(MenuDescription& menu, uint32_t textId, uint32_t base,
                                    const std::vector<ContextEntry>& entries, bool messagesOnly) const {
    MenuItem popup;
    popup.text = RequireStr(textId);
    for (const ContextEntry& entry : entries) {
        if (messagesOnly && !entry.takesMessages) continue;
        MenuItem item;
        item.id = base + entry.number;
        item.text = entry.label + u'\t' + entry.value;
        popup.submenu.push_back(std::move(item));
    }
    if (!popup.submenu.empty()) menu.push_back(std::move(popup));
}

const ContextEntry* ContactContextMenu::Find(const std::vector<ContextEntry>& entries, uint32_t number) {
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [number](const ContextEntry& e) { return e.number == number; });
    return found == entries.end() ? nullptr : &*found;
}

ContextChoice ContactContextMenu::Choose(uint32_t command) const {
    using Kind = ContextChoice::Kind;
    if (command == kBeam) return {Kind::Beam, {}, command};
    if (command == kDelete) return {Kind::Delete, {}, command};
    if (several_) return {};
    switch (command) {
        case kEditAndCall:
            return numbers_.empty() ? ContextChoice{} : ContextChoice{Kind::EditAndCall, {}, command};
        case kDuplicate: return {Kind::Duplicate, {}, command};
        case kAppointment: return {Kind::Appointment, {}, command};
        default: break;
    }
    const auto in = [command](uint32_t base) { return command > base && command <= base + kMaxEntry; };
    if (in(kCallBase)) {
        if (const ContextEntry* entry = Find(numbers_, command - kCallBase)) {
            return {Kind::Call, entry->value, command};
        }
    } else if (in(kSmsBase)) {
        const ContextEntry* entry = Find(numbers_, command - kSmsBase);
        if (entry != nullptr && entry->takesMessages) return {Kind::Sms, entry->value, command};
    } else if (in(kEmailBase)) {
        if (const ContextEntry* entry = Find(addresses_, command - kEmailBase)) {
            return {Kind::Email, entry->value, command};
        }
    } else if (command >= addin::kFirstCommandId &&
               command <= addin::kFirstCommandId + addin::kLastCommandOffset) {
        return {Kind::AddIn, {}, command};
    }
    return {};
}

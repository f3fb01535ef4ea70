#include "view/pane/ContactFieldBag.h"

#include "core/res/ResourceStrings.h"
#include "store/contact/Contact.h"
#include "store/contact/ContactFieldAccess.h"
#include "store/contact/ImText.h"
#include "view/pane/FieldNames.h"
#include "view/template/TemplateGroup.h"

namespace {

void AddTexts(Array<BagValue>& list, const Contact& contact, int bagList) {
    for (const NamedField& f : NamedFieldsOf(bagList)) {
        const Str& text = contact.GetText(f.field);
        if (text.IsEmpty()) continue;
        BagValue value{RequireStr(f.name), text};
        value.field = f.field;
        list.Add(value);
    }
}

void AddCustom(Array<BagValue>& list, const Array<CustText>& values) {
    for (const CustText& v : values) list.Add({v.label, v.value});
}

void AddIms(Array<BagValue>& list, const Contact& contact) {
    for (const NamedField& f : NamedFieldsOf(kBagMessaging)) {
        const Str& text = contact.GetText(f.field);
        if (text.IsEmpty()) continue;
        const ImParts parts = SplitIm(text);
        BagValue value{RequireStr(f.name), parts.address, parts.service};
        value.field = f.field;
        list.Add(value);
    }
    for (const CustIm& im : contact.ims) list.Add({im.label, im.value, im.type});
}

void AddDates(Array<BagValue>& list, const Contact& contact) {
    for (const NamedField& f : NamedFieldsOf(kBagDates)) {
        const uint64_t date = GetDateField(contact, f.field);
        if (date == 0) continue;
        BagValue value{RequireStr(f.name)};
        value.date = date;
        value.field = f.field;
        list.Add(value);
    }
    for (const CustDate& d : contact.dates) {
        BagValue value{d.label};
        value.date = d.date;
        list.Add(value);
    }
}

void AddAddresses(Array<BagValue>& list, const Contact& contact) {
    for (const NamedAddress& a : NamedAddresses()) {
        BagValue value{RequireStr(a.name)};
        bool any = false;
        for (int slot = 0; slot < kAddressSlots; ++slot) {
            value.parts[slot] = contact.GetText(a.fields[slot]);
            any = any || !value.parts[slot].IsEmpty();
        }
        if (!any) continue;
        value.format = static_cast<int>(contact.*a.format);
        value.field = a.fields[kSlotStreet];
        list.Add(value);
    }
    for (const CustAddress& c : contact.addresses) {
        BagValue value{c.label};
        value.parts = {c.street, c.city, c.state, c.postalCode, c.country};
        value.format = static_cast<int>(c.format);
        list.Add(value);
    }
}

}  // namespace

void ContactFieldBag::Clear() {
    for (Array<BagValue>& list : lists_) list.RemoveAll();
}

void ContactFieldBag::Fill(const Contact& contact) {
    Clear();
    AddTexts(lists_[kBagNameParts], contact, kBagNameParts);
    for (int list : {kBagPhones, kBagEmails, kBagWeb, kBagPeople, kBagLinks, kBagOther}) {
        AddTexts(lists_[list], contact, list);
        AddCustom(lists_[list], contact.*CustomTextsOf(list));
    }
    AddDates(lists_[kBagDates], contact);
    AddIms(lists_[kBagMessaging], contact);
    AddAddresses(lists_[kBagAddresses], contact);
}

std::optional<BagValue> ContactFieldBag::Take(int list, const Str& name) {
    Array<BagValue>& values = lists_[list];
    for (int i = 0; i < values.GetSize(); ++i) {
        if (values[i].name == name) {
            BagValue value = values[i];
            values.RemoveAt(i);
            return value;
        }
    }
    return std::nullopt;
}

int ContactFieldBag::ListOfGroup(int group) {
    switch (group) {
    case kGroupName: return kBagNameParts;
    case kGroupPhone: return kBagPhones;
    case kGroupEmail: return kBagEmails;
    case kGroupMessaging: return kBagMessaging;
    case kGroupWeb: return kBagWeb;
    case kGroupAddress: return kBagAddresses;
    case kGroupPeople: return kBagPeople;
    case kGroupDates: return kBagDates;
    case kGroupLinks: return kBagLinks;
    case kGroupOther: return kBagOther;
    default: return -1;
    }
}

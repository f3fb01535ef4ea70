#pragma once
// The contacts the speed-dial tests read through: contacts by identifier, the identifier a name
// search finds, and every name searched for.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "phone/menu/PhoneFields.h"
#include "phone/speed/SpeedContacts.h"
#include "store/contact/Contact.h"

class FakeContacts : public SpeedContacts {
public:
    bool Read(uint32_t oid, Contact& contact) override {
        const auto it = contacts.find(oid);
        if (it == contacts.end()) return false;
        contact.Assign(it->second);
        contact.SetOid(oid);
        return true;
    }
    std::optional<uint32_t> FirstFound(const Str& text) override {
        searches.emplace_back(text.View());
        const auto it = found.find(std::u16string(text.View()));
        if (it == found.end()) return std::nullopt;
        return it->second;
    }
    Contact& Add(uint32_t oid, const char16_t* first, const char16_t* last, const char16_t* mobile) {
        Contact& c = contacts[oid];
        c.SetText(kFieldFirst, first);
        c.SetText(kFieldLast, last);
        c.SetText(kFieldMobile, mobile);
        c.SetRecordId(oid + 1000);
        return c;
    }
    std::map<uint32_t, Contact> contacts;
    std::map<std::u16string, uint32_t> found;
    std::vector<std::u16string> searches;
};

#include "phone/speed/SpeedContacts.h"

#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "store/contact/Contact.h"

bool ManagerSpeedContacts::Read(uint32_t oid, Contact& contact) { return manager_.ReadContact(oid, contact); }

std::optional<uint32_t> ManagerSpeedContacts::FirstFound(const Str& text) {
    ContactSearch search(manager_);
    const ContactList found = search.Typed(text.View(), ListOrder::Name, CategoryRestriction{});
    if (found.oids.empty()) return std::nullopt;
    return found.oids.front();
}
